// Clicks, drags, wheels, keys and lists: only the program's own handlers act. Nothing
// the toolkit does by itself may redraw a picture, read a table again, add a list item
// or change a choice.
#include "app/RadioGroup.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "fieldview/ColorBox.h"
#include "fieldview/Colorselection1.h"
#include "fieldview/FieldViewState.h"
#include "gl/GlPanel.h"
#include "section2d/Image2d.h"
#include "support/FileOpenCounter.h"
#include "support/ModalAnswerer.h"
#include "support/fieldview_fixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include <functional>
#include <vector>

namespace tessaplot::test {
namespace {

constexpr int kTemperature = 5;
constexpr int kRelativeHumidity = 3;

// One thing a user does with the mouse, and where.
struct Gesture {
    const char* what;
    std::function<void()> act;
};

class UserInputTest : public FieldViewTest {
protected:
    // Everything a stray redraw or a refilled list would change.
    struct Seen {
        QImage picture;
        int dataColumn, fabricPosition, fibrePosition, reads;
        bool operator==(const Seen&) const = default;
    };

    static Seen seen(GlPanel* panel, FileOpenCounter& reads) {
        return {panel->grabFramebuffer(), Form1->DataColumn, Form1->ComboBox2->currentIndex(),
                Form1->ComboBox4->currentIndex(), reads.opens()};
    }

    // Each gesture in turn: no redraw is asked for at once, and after the deferred
    // redraw had its chance, picture, column, position lists and reads are as before.
    static void expectNothingHappens(GlPanel* panel, FileOpenCounter& reads,
                                     const std::vector<Gesture>& gestures) {
        ASSERT_TRUE(reads.watching());
        ASSERT_TRUE(waitForRedraw());
        const Seen before = seen(panel, reads);
        for (const Gesture& gesture : gestures) {
            gesture.act();
            EXPECT_FALSE(Form1->RedrawPending) << gesture.what;
            QTest::qWait(30);
            EXPECT_TRUE(seen(panel, reads) == before) << gesture.what;
        }
    }

    static Gesture clickAt(const char* what, QWidget* widget, QPoint at,
                           Qt::MouseButton button = Qt::LeftButton) {
        return {what, [=] { QTest::mouseClick(widget, button, {}, at); }};
    }
    // A click where the widget itself shows, not one of its children.
    static Gesture clickOnBare(const char* what, QWidget* widget, QPoint at) {
        EXPECT_EQ(widget->childAt(at), nullptr) << what << " is covered there";
        return clickAt(what, widget, at);
    }
    static Gesture dragOn(const char* what, QWidget* widget, QPoint from, QPoint to) {
        return {what, [=] {
                    QTest::mousePress(widget, Qt::LeftButton, {}, from);
                    QTest::mouseMove(widget, to);
                    QTest::qWait(10);
                    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
                }};
    }

    void showTemperatureThenChooseHumidity() {
        openDataSet(writeSampleDataSet());
        QTest::mouseClick(Form1->RadioGroup1->Button(kTemperature), Qt::LeftButton);
        QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
        ASSERT_GT(Form1->PointCount, 0);
        // A new choice without Show Data: only a draw the user asks for may show it.
        QTest::mouseClick(Form1->RadioGroup1->Button(kRelativeHumidity), Qt::LeftButton);
        ASSERT_EQ(Form1->ComboBox2->count(), 6);
        Form1->ComboBox2->setCurrentIndex(2);
    }

    static void wheelOver(QWidget* widget) {
        const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(widget, &event);
    }
};

TEST_F(UserInputTest, MouseOnFabricPictureAndEverythingAroundItAsksForNothing) {
    showTemperatureThenChooseHumidity();
    FileOpenCounter reads(Form1->Label5->text());
    TForm1& f = *Form1;
    expectNothingHappens(
        f.Panel1, reads,
        {clickAt("right click into the picture", f.Panel1, {200, 200}, Qt::RightButton),
         clickAt("middle click into the picture", f.Panel1, {200, 200}, Qt::MiddleButton),
         clickAt("left click into the picture", f.Panel1, {300, 100}),
         {"right double click into the picture",
          [&] {
              QTest::mouseDClick(f.Panel1, Qt::RightButton, {}, {200, 200});
          }},
         {"move without a button over the picture",
          [&] {
              QTest::mouseMove(f.Panel1, {250, 260});
          }},
         clickAt("label", f.Label1, {5, 5}),
         clickAt("label in a group box", f.Label3, {5, 5}),
         clickAt("showing-data caption", f.Label4, {5, 5}),
         clickOnBare("group box", f.GroupBox1, {4, 240}),
         clickOnBare("section group box", f.GroupBox2, {255, 110}),
         clickOnBare("layer panel", f.findChild<QWidget*>("Panel2"), {260, 60}),
         clickAt("status bar", StatusPanel(f.StatusBar1, 1), {5, 5}),
         clickOnBare("tool bar", f.ToolBar2, {700, 12}),
         clickOnBare("page", f.TabSheet1, {572, 300}),
         dragOn("drag over the page", f.TabSheet1, {572, 300}, {572, 360})});
    EXPECT_EQ(f.Label4->text(), "Temperature(degree of C)");
}

TEST_F(UserInputTest, GuardsThatFailLeaveEverythingAsItWas) {
    openDataSet(writeSampleDataSet());
    Form1->SetActivePage(Form1->TabSheet2);
    ASSERT_TRUE(waitFor([] { return Form1->Panel5->hasContext(); }));
    ASSERT_EQ(Form1->RadioGroup2->ItemIndex(), -1);
    FileOpenCounter reads(Form1->Label5->text());
    TForm1& f = *Form1;
    expectNothingHappens(f.Panel5, reads,
                         {{"double click into the picture",
                           [&] {
                               QTest::mouseDClick(f.Panel5, Qt::LeftButton, {}, {200, 200});
                           }},
                          dragOn("drag over the picture", f.Panel5, {200, 200}, {300, 210}),
                          clickOnBare("tool bar", f.ToolBar1, {700, 12}),
                          clickAt("turn button", f.ToolButton2, {5, 5}),
                          clickAt("reset button", f.ToolButton14, {5, 5})});
}

TEST_F(UserInputTest, MouseOnChartsAsksForNothing) {
    openDataSet(writeSampleDataSet());
    Form1->SetActivePage(Form1->TabSheet3);
    ASSERT_TRUE(waitFor([] { return Form1->Panel8->hasContext(); }));
    Form1->RadioGroup3->SetItemIndex(0);
    QTest::mouseClick(Form1->BitBtn7, Qt::LeftButton);
    ASSERT_GT(Form1->PointCount, 0);
    Form1->RadioGroup3->SetItemIndex(2);
    FileOpenCounter reads(Form1->Label5->text());
    TForm1& f = *Form1;
    expectNothingHappens(
        f.Panel8, reads,
        {clickAt("left click on the curve", f.Panel8, {200, 200}),
         clickAt("right click on the curve", f.Panel8, {200, 200}, Qt::RightButton),
         {"double click on the curve",
          [&] {
              QTest::mouseDClick(f.Panel8, Qt::LeftButton, {}, {90, 90});
          }},
         dragOn("drag over the curve", f.Panel8, {100, 100}, {200, 100}),
         clickAt("file label", f.Label11, {5, 5})});

    // The comfort chart draws by its own timer; a click on it asks for nothing more.
    Form1->SetActivePage(Form1->TabSheet4);
    ASSERT_TRUE(waitFor([] { return Form1->Panel16->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());
    for (QWidget* target : std::initializer_list<QWidget*>{Form1->Panel16, Form1->Image1,
                                                           Form1->ConclusionLabels[0]}) {
        QTest::mouseClick(target, Qt::LeftButton, {}, {5, 5});
        EXPECT_FALSE(Form1->RedrawPending) << target->objectName().toStdString();
    }
}

TEST_F(UserInputTest, ADragStepReadsTheFileOnceAndTurnsOnce) {
    showTemperatureThenChooseHumidity();
    ASSERT_TRUE(waitForRedraw());
    FileOpenCounter reads(Form1->Label5->text());
    ASSERT_TRUE(reads.watching());
    const QMatrix4x4 initial = CurrentModelView(Form1->Panel1);

    QTest::mousePress(Form1->Panel1, Qt::LeftButton, {}, {200, 200});
    QTest::mouseMove(Form1->Panel1, {260, 205}); // to the right: the "Left" step
    ASSERT_TRUE(waitFor([] { return !Form1->fieldViewState->pendingMove.has_value(); }));
    QTest::qWait(30);
    EXPECT_EQ(reads.opens(), 1);
    EXPECT_FALSE(Form1->RedrawPending);
    QMatrix4x4 turned = initial;
    turned.rotate(10, 0, 0, 1);
    EXPECT_TRUE(NearlyEqual(CurrentModelView(Form1->Panel1), turned));
    QTest::mouseRelease(Form1->Panel1, Qt::LeftButton, {}, {260, 205});
    QTest::qWait(30);
    EXPECT_EQ(reads.opens(), 1) << "the release draws nothing";
}

TEST_F(UserInputTest, RedrawOfTheSameTableKeepsTheChosenPositionAndANewTableStartsAtTheFirst) {
    showTemperatureThenChooseHumidity();
    Form1->ComboBox4->setCurrentIndex(4);
    Form1->RedrawPending = true;
    ASSERT_TRUE(waitForRedraw());
    EXPECT_EQ(Form1->ComboBox2->currentIndex(), 2);
    EXPECT_EQ(Form1->ComboBox4->currentIndex(), 4);

    // A fibre file has its own positions: the lists are new and start at the first.
    Form1->SetActivePage(Form1->TabSheet2);
    ASSERT_TRUE(waitFor([] { return Form1->Panel5->hasContext(); }));
    Form1->RadioGroup2->SetItemIndex(0);
    QTest::mouseClick(Form1->BitBtn4, Qt::LeftButton);
    EXPECT_EQ(Form1->ComboBox2->currentIndex(), 0);
    EXPECT_EQ(Form1->ComboBox2->itemText(1), "0.0500");
}

TEST_F(UserInputTest, EditableBoxesKeepTheirListsAndTypedOverTextReadsTheFirstLayer) {
    openDataSet(writeSampleDataSet());
    for (QComboBox* box :
         {Form1->ComboBox5, Form1->ComboBox6, Form1->ComboBox1, Form1->ComboBox3}) {
        const QStringList before = ItemTexts(box);
        TypeOver(box, "x", true);
        EXPECT_EQ(ItemTexts(box), before) << box->objectName().toStdString();
        EXPECT_EQ(box->currentText(), "x") << box->objectName().toStdString();
        TypeOver(box, "Th", true);
        EXPECT_EQ(box->currentText(), "Th") << "nothing is completed into the text";
    }

    QTest::mouseClick(Form1->RadioGroup1->Button(kTemperature), Qt::LeftButton);
    Form1->ComboBox5->setCurrentIndex(0);
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    const std::vector<FieldPoint> firstLayer(Form1->FieldPoints.begin(),
                                             Form1->FieldPoints.begin() + Form1->PointCount);
    ASSERT_FALSE(firstLayer.empty());

    Form1->ComboBox5->setCurrentIndex(2);
    TypeOver(Form1->ComboBox5, "x", true);
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(Form1->PointCount, static_cast<int>(firstLayer.size()));
    for (size_t i = 0; i < firstLayer.size(); ++i) {
        ASSERT_EQ(Form1->FieldPoints[i].Time, firstLayer[i].Time) << i;
        ASSERT_EQ(Form1->FieldPoints[i].Position, firstLayer[i].Position) << i;
        ASSERT_EQ(Form1->FieldPoints[i].Value, firstLayer[i].Value) << i;
    }

    // No window takes text dropped on it.
    for (QWidget* window : {static_cast<QWidget*>(Form1), static_cast<QWidget*>(Form2),
                            static_cast<QWidget*>(Form3), static_cast<QWidget*>(Form4)})
        for (const QLineEdit* edit : window->findChildren<QLineEdit*>())
            EXPECT_FALSE(edit->acceptDrops()) << edit->parent()->objectName().toStdString();
}

TEST_F(UserInputTest, WheelOverListsAndTabsChangesNoChoice) {
    openDataSet(writeSampleDataSet());
    QTest::mouseClick(Form1->RadioGroup1->Button(kTemperature), Qt::LeftButton);
    QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
    ASSERT_TRUE(waitForRedraw());
    Form1->BitBtn1->setFocus();
    for (QComboBox* box : {Form1->ComboBox5, Form1->ComboBox2, Form1->ComboBox6}) {
        const int index = box->currentIndex();
        wheelOver(box);
        EXPECT_EQ(box->currentIndex(), index) << box->objectName().toStdString();
    }
    wheelOver(Form1->PageControl1->tabBar());
    EXPECT_EQ(Form1->ActivePage(), Form1->TabSheet1);

    Form1->File1->trigger();
    const QString directory = Form4->CurrentDirectory();
    wheelOver(Form4->DriveComboBox1);
    EXPECT_EQ(Form4->CurrentDirectory(), directory);
    EXPECT_FALSE(Form1->RedrawPending);
}

TEST_F(UserInputTest, EnterInTheColourDialogPressesOnlyTheFocusedButton) {
    ModalAnswerer answerer;
    bool stayedOpen = false;
    answerer.onDialog = [&](QWidget* dialog) {
        if (dialog != Form2) {
            dialog->close();
            return;
        }
        Form2->RadioButton2->click(); // X axis, not confirmed
        Form2->ColorBox1->setFocus();
        QTest::keyClick(Form2->ColorBox1, Qt::Key_Return);
        QTest::keyClick(Form2->RadioButton2, Qt::Key_Enter);
        stayedOpen = Form2->isVisible();
        Form2->BitBtn2->setFocus();
        QTest::keyClick(Form2->BitBtn2, Qt::Key_Return); // CANCEL has the focus
    };
    QTest::mouseClick(Form1->BitBtn2, Qt::LeftButton);
    EXPECT_TRUE(stayedOpen);
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_EQ(Form2->ColorAxis, 0) << "OK was not pressed";
}

TEST_F(UserInputTest, BrowsingWithoutFibreFilesKeepsTheChosenFibreFile) {
    openDataSet(writeSampleDataSet());
    ASSERT_GE(Form1->ComboBox6->count(), 2);
    QTest::keyClick(Form1->ComboBox6, Qt::Key_Down); // the user picks the second file
    const QString chosen = Form1->ComboBox6->itemText(1);
    ASSERT_EQ(Form1->Label7->text(), chosen);

    const QString bare = dataDir.filePath(QStringLiteral("bare"));
    ASSERT_TRUE(QDir().mkpath(bare));
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(bare));
    EXPECT_EQ(Form1->ComboBox6->count(), 0);
    EXPECT_EQ(Form1->Label7->text(), chosen);

    // A directory with fibre files names its first one.
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(dataDir.filePath("sample-run")));
    EXPECT_EQ(Form1->Label7->text(), Form1->ComboBox6->itemText(0));
}

TEST_F(UserInputTest, OpenOnAMinimisedChooserRestoresItWithoutListingAgain) {
    Form1->File1->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form4));
    Form4->ListBox1->addItem("marker");
    Form4->showMinimized();
    QTest::qWait(50);
    ASSERT_TRUE(Form4->isMinimized());
    Form1->File1->trigger();
    QTest::qWait(50);
    EXPECT_FALSE(Form4->isMinimized());
    EXPECT_TRUE(Form4->isVisible());
    EXPECT_EQ(Form4->ListBox1->findItems("marker", Qt::MatchExactly).size(), 1);
}

} // namespace
} // namespace tessaplot::test
