// The "2D Section" controls, "Show 2D Data" and the 2D image window with its picture.
#include "app/RadioGroup.h"
#include "app/Widgets.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "gl/GlPanel.h"
#include "section2d/Image2d.h"
#include "support/Forms.h"
#include "support/ModalAnswerer.h"
#include "support/PictureProbe.h"

#include "SampleData.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>

#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>

namespace tessaplot::test {
namespace {

namespace fs = std::filesystem;

bool isRed(const QColor& c) {
    return c.red() > 200 && c.green() < 80 && c.blue() < 80;
}

// Where a point of the plot frame lands in a framebuffer `imageHeight` pixels high: the
// frame's origin at (-0.7, -0.5), the projection made for 476 x 374 pixels with half
// extent 1.15, and the viewport of 550 x 450 pixels at the lower left corner.
QPoint framePixel(float x, float y, int imageHeight) {
    const QVector3D ndc = ExpectedProjection(476, 374, 1.15f).map(QVector3D(x - 0.7f, y - 0.5f, 0));
    const int column = static_cast<int>((ndc.x() + 1.0f) * 0.5f * 550.0f);
    const int row = static_cast<int>((ndc.y() + 1.0f) * 0.5f * 450.0f);
    return QPoint(column, imageHeight - 1 - row);
}

int countRed(const QImage& image) {
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            red += isRed(image.pixelColor(x, y)) ? 1 : 0;
    return red;
}

// A fibre table of four time steps (0, 30, 60, 90 s) over six nodes at 0 ... 0.25 whose
// water vapour column runs from 0.001 to 0.006: node n of step s holds
// 0.001 * (1 + (n + s) % 6).
std::string fiberTable() {
    const char* positions[] = {"0", "0.05", "0.1", "0.15", "0.2", "0.25"};
    std::string text;
    for (int step = 0; step < 4; ++step)
        for (int node = 0; node < 6; ++node) {
            char line[128];
            std::snprintf(line, sizeof line, "%d\t%s\t%.6E\t0\t0\n", step * 30, positions[node],
                          0.001 * (1 + (node + step) % 6));
            text += line;
        }
    return text;
}

float fiberValue(int step, int node) {
    return static_cast<float>(0.001 * (1 + (node + step) % 6));
}

class Section2dTest : public FormsTest {
protected:
    void openDataSet(bool ownFiberTable) {
        const fs::path dir = fs::path(workDir.path().toStdString()) / "run";
        sample::DataSetOptions options;
        options.timeSteps = 10;
        options.comfortLines = 20;
        std::string error;
        ASSERT_TRUE(sample::WriteDataSet(dir, options, &error)) << error;
        if (ownFiberTable) {
            ASSERT_TRUE(sample::WriteTextFile(dir / "fabric1_fiber_1.dat", fiberTable(), &error))
                << error;
        }
        Form4->DirectoryListBox1->SetDirectory(QString::fromStdString(dir.string()));
        Form4->Button1Click();
        ASSERT_TRUE(Form4->DataSetOpen);
    }

    // The test fibre file on the Fibers page, its first variable shown.
    void showFiberData() {
        openDataSet(true);
        ASSERT_EQ(Form1->Label7->text(), "fabric1_fiber_1.dat");
        Form1->SetActivePage(Form1->TabSheet2);
        ASSERT_TRUE(waitFor([] { return Form1->Panel5->hasContext(); }));
        ASSERT_TRUE(waitForRedraw());
        Form1->RadioGroup2->SetItemIndex(0);
        Form1->BitBtn4->click();
        ASSERT_TRUE(waitForRedraw());
        ASSERT_EQ(Form1->PointCount, 24);
        ASSERT_TRUE(Form1->BitBtn6->isEnabled());
    }

    // Presses a "Show 2D Data" button; once the 2D window is up and the main window's
    // redraw has run, grabs the picture, runs `inWindow`, then "exit" closes the window.
    QImage showSection(QPushButton* button, const std::function<void()>& inWindow = {}) {
        bool entered = false;
        QImage picture;
        answerer.onDialog = [&](QWidget* modal) {
            if (modal != Form3 || entered)
                return;
            if (!Form3->ImageDC->hasContext() || Form1->RedrawPending)
                return;
            entered = true;
            picture = Form3->ImageDC->grabFramebuffer();
            if (inWindow)
                inWindow();
            Form3->BitBtn2->click();
        };
        button->click();
        EXPECT_TRUE(entered);
        EXPECT_FALSE(Form3->isVisible());
        answerer.onDialog = nullptr;
        return picture;
    }

    static QString statusText(int panel) { return StatusPanel(Form3->StatusBar1, panel)->text(); }

    ModalAnswerer answerer;
};

TEST_F(Section2dTest, RadioButtonsEnableTheirOwnPagesBoxes) {
    // At start-up SpacePos is checked on both pages and every box is enabled.
    EXPECT_TRUE(Form1->RadioButton2->isChecked());
    EXPECT_TRUE(Form1->RadioButton4->isChecked());
    for (QComboBox* box : {Form1->ComboBox1, Form1->ComboBox2, Form1->ComboBox3, Form1->ComboBox4})
        EXPECT_TRUE(box->isEnabled()) << box->objectName().toStdString();

    const auto enabled = [] {
        return std::array<bool, 4>{Form1->ComboBox1->isEnabled(), Form1->ComboBox2->isEnabled(),
                                   Form1->ComboBox3->isEnabled(), Form1->ComboBox4->isEnabled()};
    };
    Form1->RadioButton1->click();
    EXPECT_EQ(enabled(), (std::array<bool, 4>{true, false, true, true}));
    Form1->RadioButton2->click();
    EXPECT_EQ(enabled(), (std::array<bool, 4>{false, true, true, true}));
    Form1->RadioButton3->click();
    EXPECT_EQ(enabled(), (std::array<bool, 4>{false, true, true, false}));
    EXPECT_TRUE(Form1->RadioButton2->isChecked()) << "the pages' choices are independent";
    Form1->RadioButton4->click();
    EXPECT_EQ(enabled(), (std::array<bool, 4>{false, true, false, true}));
}

TEST_F(Section2dTest, TimeSectionPictureStaysPutAndComesBackTheSame) {
    showFiberData();
    Form1->RadioButton3->click();
    Form1->ComboBox3->setEditText("45"); // between the steps at 30 and 60: the later
    QImage before, resized, again;
    QOpenGLContext* currentAfterClose = nullptr;
    QObject::connect(Form3, &QDialog::finished,
                     [&] { currentAfterClose = QOpenGLContext::currentContext(); });
    showSection(Form1->BitBtn6, [&] {
        EXPECT_EQ(statusText(0), "X:TimePos");
        EXPECT_EQ(statusText(1), "Y:Water Vapor Concentration(kg/m^3)");
        EXPECT_EQ(statusText(2), "File:fabric1_fiber_1.dat");
        before = Form3->ImageDC->grabFramebuffer();
        Form3->resize(600, 520);
        ASSERT_TRUE(waitFor([] { return Form3->ImageDC->height() == 520; }));
        resized = Form3->ImageDC->grabFramebuffer();
        Form3->resize(468, 400);
        Form1->Timer1->stop(); // closing must start it again
    });
    EXPECT_EQ(currentAfterClose, Form1->ViewDC->context());
    EXPECT_TRUE(Form1->Timer1->isActive());
    showSection(Form1->BitBtn6, [&] { again = Form3->ImageDC->grabFramebuffer(); });

    EXPECT_EQ(Form3->SectionTime, 45.0f);
    EXPECT_EQ(Form3->SectionStart, 12);
    EXPECT_EQ(Form3->XTitle, "SposePos(m)");
    EXPECT_EQ(Form3->YTitle, "Water Vapor Concentration(kg/m^3)");
    using Texts = std::array<std::string, 6>;
    EXPECT_EQ(Form3->XTickText, (Texts{"0", "0.05", "0.1", "0.15", "0.2", "0.25"}));
    EXPECT_EQ(Form3->YTickText,
              (Texts{"1.00E-3", "2.00E-3", "3.00E-3", "4.00E-3", "5.00E-3", "6.00E-3"}));

    ASSERT_EQ(before.size(), QSize(468, 400));
    const int h = before.height();
    // The frame's origin about 108 pixels from the left and 100 from the bottom.
    const QPoint origin = framePixel(0, 0, h);
    EXPECT_NEAR(origin.x(), 108, 1);
    EXPECT_NEAR(h - 1 - origin.y(), 100, 1);
    const auto black = [](QColor c) { return isBlack(c); };
    for (const QPointF& p : {QPointF(0.5, 0), QPointF(1.09, 0), QPointF(0, 0.5), QPointF(0, 1.09),
                             QPointF(0.6, -0.04), QPointF(-0.04, 0.6)})
        EXPECT_TRUE(AnyPixelNear(before, framePixel(p.x(), p.y(), h), 1, black))
            << "no frame at (" << p.x() << ", " << p.y() << ")";
    // The stippled grid: dashes and gaps along the line y = 0.6 of the frame.
    int grey = 0, white = 0;
    for (int i = 1; i < 60; ++i) {
        const QColor c = before.pixelColor(framePixel(i / 60.0f, 0.6f, h));
        grey += isGridGrey(c) ? 1 : 0;
        white += isWhite(c) ? 1 : 0;
    }
    EXPECT_GT(grey, 10);
    EXPECT_GT(white, 10);
    // The red curve through the six points of step 2, value against position, with
    // the load's extents on the frame's unit square; probed between the points, off
    // the grid lines and axes under them.
    const auto y = [](int node) { return (fiberValue(2, node) - 0.001f) / 0.005f; };
    for (int node = 0; node < 5; ++node)
        for (float t : {0.3f, 0.7f})
            EXPECT_TRUE(AnyPixelNear(
                before, framePixel(0.2f * (node + t), y(node) + t * (y(node + 1) - y(node)), h), 1,
                isRed))
                << "no curve between nodes " << node << " and " << node + 1;
    EXPECT_FALSE(AnyPixelNear(before, framePixel(0.1f, 0.1f, h), 3, isRed)) << "step 0 drawn";

    // A larger window shows the same picture, measured from the lower left corner;
    // showing the window again gives the same picture.
    ASSERT_EQ(resized.size(), QSize(600, 520));
    EXPECT_EQ(resized.copy(0, resized.height() - h, before.width(), h), before);
    EXPECT_EQ(again, before);
    EXPECT_TRUE(answerer.texts.isEmpty());
}

TEST_F(Section2dTest, PositionSectionKeepsTheChosenPositionWhileTheMainWindowRedraws) {
    showFiberData();
    ASSERT_EQ(Form1->ComboBox4->count(), 6);
    EXPECT_EQ(Form1->ComboBox4->itemText(1), "0.0500");
    Form1->ComboBox4->setCurrentIndex(2); // "0.1000"
    // Showing the window asks the main window to redraw, which reloads the field; the
    // same table gives the same list, and the chosen position stays chosen.
    const QImage picture = showSection(Form1->BitBtn6);
    EXPECT_EQ(Form1->ComboBox4->currentIndex(), 2);
    EXPECT_EQ(statusText(0), "X:SpacePos");
    EXPECT_EQ(Form3->XTitle, "Time(s)");
    using Texts = std::array<std::string, 6>;
    EXPECT_EQ(Form3->XTickText, (Texts{"0", "18", "36", "54", "72", "90"}));

    const int h = picture.height();
    const auto y = [](int step) { return (fiberValue(step, 2) - 0.001f) / 0.005f; };
    for (int step = 0; step < 3; ++step)
        EXPECT_TRUE(AnyPixelNear(
            picture, framePixel((step + 0.5f) / 3, (y(step) + y(step + 1)) / 2, h), 1, isRed))
            << "no curve between steps " << step << " and " << step + 1;
    // Position 0 would start at the frame's lower left.
    EXPECT_FALSE(AnyPixelNear(picture, framePixel(1.0f / 6, 0.1f, h), 3, isRed));
}

TEST_F(Section2dTest, TextThatIsNoNumberIsReportedOncePerShowing) {
    showFiberData();
    Form1->RadioButton3->click();
    Form1->ComboBox3->setEditText("abc");
    QImage picture;
    showSection(Form1->BitBtn6, [&] {
        // Repaints of every kind while the window is open: no further report.
        Form3->resize(500, 430);
        Form3->ImageDC->update();
        runEventsFor(100);
        picture = Form3->ImageDC->grabFramebuffer();
    });
    EXPECT_EQ(answerer.texts, QStringList{"'abc' is not a valid floating point value"});
    EXPECT_EQ(answerer.titles, QStringList{"Plotvane"});
    EXPECT_EQ(countRed(picture), 0) << "no curve";
    EXPECT_TRUE(AnyPixelNear(picture, framePixel(0.5f, 0, picture.height()), 1, [](QColor c) {
        return isBlack(c);
    })) << "the frame is still drawn";

    // The same for each further showing; a number with '.' is always taken.
    showSection(Form1->BitBtn6);
    EXPECT_EQ(answerer.texts.size(), 2);
    Form1->ComboBox3->setEditText(" 30.0 ");
    showSection(Form1->BitBtn6);
    EXPECT_EQ(answerer.texts.size(), 2);
    EXPECT_EQ(Form3->SectionStart, 6);
}

TEST_F(Section2dTest, EmptyPositionListIsReportedAndEachPageUsesItsOwnControls) {
    // No field loaded yet: the Fabric page's position list is empty. The button is
    // disabled until a field is shown; enabled, it reports the empty choice.
    EXPECT_FALSE(Form1->BitBtn3->isEnabled());
    Form1->BitBtn3->setEnabled(true);
    showSection(Form1->BitBtn3);
    EXPECT_EQ(answerer.texts, QStringList{"'' is not a valid floating point value"});
    EXPECT_EQ(statusText(0), "X:SpacePos");
    EXPECT_EQ(statusText(1), "Y:none");
    EXPECT_EQ(statusText(2), "File:None");
    EXPECT_EQ(Form3->XTitle, "Time(s)");
    EXPECT_EQ(Form3->YTitle, "none");

    openDataSet(false);
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1->click();
    ASSERT_TRUE(waitForRedraw());
    ASSERT_EQ(Form1->ComboBox2->count(), 6);
    Form1->RadioButton3->click(); // TimePos on Fibers leaves the Fabric page's choice
    showSection(Form1->BitBtn3);
    EXPECT_EQ(answerer.texts.size(), 1);
    EXPECT_EQ(statusText(0), "X:SpacePos");
    EXPECT_EQ(statusText(1), "Y:Temperature(degree of C)");
    EXPECT_EQ(statusText(2), QStringLiteral("File:") + Form1->Label2->text());
    EXPECT_TRUE(Form1->Label2->text().endsWith("Fabrics.dat"));
    // Time typed into the still enabled time box is ignored under SpacePos.
    Form1->ComboBox1->setEditText("not a time");
    showSection(Form1->BitBtn3);
    EXPECT_EQ(answerer.texts.size(), 1);
    EXPECT_EQ(Form3->XTitle, "Time(s)");
}

TEST_F(Section2dTest, SaveImageAsksForTheFileAndReportsAFailedWrite) {
    showFiberData();
    Form1->RadioButton3->click();
    Form1->ComboBox3->setEditText("30");
    const QString target = workDir.filePath("chosen.png");
    const QString missingDir = workDir.filePath("no-such-dir/chosen.png");

    // Answers the file dialog (a path typed and accepted, or cancelled when empty) and
    // the failure message. A timer of its own: the window's answerer is busy running
    // the steps inside the window.
    QString answer;
    QString offeredName;
    QStringList messages;
    QTimer fileDialogAnswerer;
    QObject::connect(&fileDialogAnswerer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages << box->text();
            box->button(QMessageBox::Ok)->click();
            return;
        }
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible())
            return;
        auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        offeredName = nameEdit != nullptr ? nameEdit->text() : QString();
        if (answer.isEmpty()) {
            dialog->reject();
            return;
        }
        nameEdit->setText(answer);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog checks the name first
    });
    fileDialogAnswerer.start(5);

    const QImage shown = showSection(Form1->BitBtn6, [&] {
        Form3->BitBtn1->click();
        EXPECT_EQ(offeredName, "Water Vapor Concentration-TimePos-30.png");
        answer = target;
        Form3->BitBtn1->click();
        EXPECT_TRUE(messages.isEmpty());
        answer = missingDir;
        Form3->BitBtn1->click();
    });
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.front().startsWith("The picture could not be saved as "))
        << messages.front().toStdString();
    EXPECT_TRUE(messages.front().contains(QDir::toNativeSeparators(missingDir)));
    EXPECT_EQ(QDir(workDir.path()).entryList(QDir::Files), QStringList{"chosen.png"})
        << "cancel writes nothing, a failed write leaves nothing";
    const QImage written(target);
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.convertToFormat(shown.format()), shown);
}

} // namespace
} // namespace tessaplot::test
