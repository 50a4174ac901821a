// Evidence beside the runs on screen: measured markers on the comfort chart, and the
// Compare Runs window's Add Measured Data, Protocol Phases and Thresholds.
#include "SampleData.h"
#include "app/RadioGroup.h"
#include "compare/CompareMenu.h"
#include "compare/CompareRunsWindow.h"
#include "compare/Comparison.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "gl/GlPanel.h"
#include "support/Forms.h"
#include "support/ModalAnswerer.h"
#include "support/PictureProbe.h"
#include "support/PointerHover.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace tessaplot::test {
namespace {

namespace fs = std::filesystem;

class EvidenceOnScreenTest : public FormsTest {
protected:
    fs::path file(const std::string& name, const std::string& text) {
        const fs::path path = fs::path(workDir.path().toStdString()) / name;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        return path;
    }
    // A data set whose Comfort.dat ends at 60 minutes, opened.
    void openRun() {
        const fs::path dir = fs::path(workDir.path().toStdString()) / "run";
        sample::DataSetOptions options;
        options.comfortLines = 40;
        std::string error;
        ASSERT_TRUE(sample::WriteDataSet(dir, options, &error)) << error;
        std::string comfort;
        for (int t = 0; t <= 60; t += 10)
            comfort += std::to_string(t) + "\t1\t2\t3\t4\t5\t6\t50\t50\t50\n";
        file("run/Comfort.dat", comfort);
        Form4->DirectoryListBox1->SetDirectory(QString::fromStdString(dir.string()));
        Form4->Button1Click();
    }
};

QMatrix4x4 chartMvp(GlPanel* panel) {
    QMatrix4x4 view;
    view.translate(-0.75f, -0.6f, 0.0f);
    return ExpectedProjection(panel->width(), panel->height(), 0.95f) * view;
}

bool isMagenta(const QColor& c) {
    return c.red() > 200 && c.green() < 60 && c.blue() > 100 && c.blue() < 180;
}

TEST_F(EvidenceOnScreenTest, MarkersAndWhiskersLieWhereTheirValuesSayAndNothingLaidChangesNoPixel) {
    openRun();
    ModalAnswerer answerer;
    Form1->SetActivePage(Form1->TabSheet4);
    ASSERT_TRUE(waitFor([] { return Form1->Panel16->hasContext(); }));
    Form1->RadioGroup4->Button(0)->click();
    runEventsFor(100);
    GlPanel* panel = Form1->Panel16;
    const QImage before = panel->grabFramebuffer();

    // Evidence set to nothing: the chart is drawn again, pixel for pixel as before.
    Evidence& evidence = Form1->comparison->evidence;
    ASSERT_FALSE(evidence.setPhases(""));
    ASSERT_FALSE(evidence.setThresholds({}));
    runEventsFor(100);
    EXPECT_TRUE(panel->grabFramebuffer() == before);

    // 15 min. at 20 ± 10 and 45 min. at 80 with no deviation, on a chart ending at 60.
    ASSERT_FALSE(evidence.addMeasured(
        file("votes.csv", "Time,Thermal Sensation,Thermal Sensation SD\n15,20,10\n45,80,\n")
            .string()));
    ASSERT_TRUE(waitFor([&] {
        const PictureProbe probe(panel, chartMvp(panel));
        return isMagenta(probe.colorAt(probe.pixelOf(0.25f, 0.2f, 0)));
    }));
    const PictureProbe probe(panel, chartMvp(panel));
    EXPECT_TRUE(isMagenta(probe.colorAt(probe.pixelOf(0.75f, 0.8f, 0))));
    // The whisker reaches 10 and 30, no further; the point without a deviation has none.
    for (float y : {0.11f, 0.29f})
        EXPECT_TRUE(probe.anyNear(probe.pixelOf(0.25f, y, 0), 1, isMagenta)) << y;
    for (float y : {0.07f, 0.33f})
        EXPECT_FALSE(probe.anyNear(probe.pixelOf(0.25f, y, 0), 1, isMagenta)) << y;
    for (float y : {0.7f, 0.9f})
        EXPECT_FALSE(probe.anyNear(probe.pixelOf(0.75f, y, 0), 1, isMagenta)) << y;
    // Nothing measured between the points.
    EXPECT_FALSE(probe.anyNear(probe.pixelOf(0.5f, 0.5f, 0), 4, isMagenta));
    // The value under the pointer names the measured point nearest its record's time.
    const QPoint at10 =
        (QPointF(probe.pixelOf(10.0f / 60.0f, 0.5f, 0)) / panel->devicePixelRatioF()).toPoint();
    const QString readout = HoverAt(panel, at10);
    EXPECT_TRUE(readout.endsWith("\nvotes.csv: 20 +/- 10 at 15 min.")) << readout.toStdString();

    // Taken away again: the chart is the one of before.
    evidence.removeMeasured(0);
    ASSERT_TRUE(waitFor([&] { return panel->grabFramebuffer() == before; }));
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join(", ").toStdString();
}

TEST_F(EvidenceOnScreenTest, TheWindowRefusesBadInputWithItsPlaceAndAddsNothing) {
    openRun();
    ModalAnswerer answerer;
    ShowCompareRunsWindow(*Form1);
    CompareRunsWindow* window = CompareRunsWindowOf(*Form1, false);
    ASSERT_NE(window, nullptr);
    Evidence& evidence = Form1->comparison->evidence;

    struct Case {
        std::string name, text, reason;
    };
    const Case cases[] = {
        {"empty.csv", "", "empty.csv: "},
        {"header-only-numbers.csv", "1,2\n3,4\n", "header-only-numbers.csv: line 1, column 1"},
        {"time.csv", "Time,Thermal Sensation\nten,5\n", "time.csv: line 2, column 1"},
        {"ragged.csv", "Time,Thermal Sensation\n5,1\n10,2,3\n", "ragged.csv: line 3, column 3"},
        {"binary.csv", std::string("Time,a\n\0\x01\x02\xff", 11), "binary.csv: line 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = file(c.name, c.text);
        answerer.texts.clear();
        int dialogs = 0;
        answerer.onDialog = [&](QWidget* modal) {
            ++dialogs;
            EXPECT_EQ(modal->objectName(), "MeasuredAddDialog");
            modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QString::fromStdString(path.string()));
            static_cast<QDialog*>(modal)->accept();
        };
        QTest::mouseClick(window->AddMeasuredButton, Qt::LeftButton);
        answerer.onDialog = nullptr;
        ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
        EXPECT_EQ(dialogs, 1);
        EXPECT_TRUE(answerer.texts.front().startsWith(QString::fromStdString(c.reason)))
            << answerer.texts.front().toStdString();
        EXPECT_TRUE(evidence.measured().empty());
    }

    // A column whose header names no quantity is matched by hand; the file is listed
    // and can be taken away again.
    const fs::path trial = file("trial.csv", "Time,Core,Thermal Sensation\n5,37.1,40\n");
    QStringList dialogs;
    answerer.onDialog = [&](QWidget* modal) {
        dialogs << modal->objectName();
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            EXPECT_TRUE(input->labelText().contains("\"Core\""));
            input->setTextValue(QStringLiteral("temperature of core(degree of C)"));
            input->accept();
            return;
        }
        modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QString::fromStdString(trial.string()));
        static_cast<QDialog*>(modal)->accept();
    };
    answerer.texts.clear();
    QTest::mouseClick(window->AddMeasuredButton, Qt::LeftButton);
    answerer.onDialog = nullptr;
    EXPECT_EQ(dialogs, (QStringList{"MeasuredAddDialog", "MatchColumnDialog"}));
    EXPECT_TRUE(answerer.texts.isEmpty());
    ASSERT_EQ(evidence.measured().size(), 1u);
    EXPECT_EQ(evidence.measured()[0].matches,
              (std::vector<std::optional<EvidenceQuantity>>{
                  EvidenceQuantity{EvidenceQuantity::Source::Body, 1},
                  EvidenceQuantity{EvidenceQuantity::Source::Comfort, 0}}));
    ASSERT_EQ(window->MeasuredList->count(), 1);
    EXPECT_FALSE(window->RemoveMeasuredButton->isEnabled());
    window->MeasuredList->setCurrentRow(0);
    QTest::mouseClick(window->RemoveMeasuredButton, Qt::LeftButton);
    EXPECT_TRUE(evidence.measured().empty());
    EXPECT_EQ(window->MeasuredList->count(), 0);

    // Typed phases and thresholds: a refused text is told and changes nothing.
    const auto type = [&](QPushButton* button, const QString& text) {
        answerer.onDialog = [&](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->setTextValue(text);
            dialog->accept();
        };
        answerer.texts.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        answerer.onDialog = nullptr;
        runEventsFor(50);
    };
    type(window->PhasesButton, QStringLiteral("Rest:0-30,Exercise:20-60"));
    ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
    EXPECT_TRUE(evidence.phases().empty());
    type(window->PhasesButton, QStringLiteral("Rest:0-30,Exercise:30-60"));
    EXPECT_TRUE(answerer.texts.isEmpty());
    EXPECT_EQ(evidence.phases().size(), 2u);
    type(window->ThresholdsButton,
         QStringLiteral("Thermal Sensation>=40\ntemperature of core=oops"));
    ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
    EXPECT_TRUE(evidence.thresholds().empty());
    type(window->ThresholdsButton, QStringLiteral("Thermal Sensation>=40\nThermal Sensation=5"));
    EXPECT_TRUE(answerer.texts.isEmpty());
    ASSERT_EQ(evidence.thresholds().size(), 1u);
    EXPECT_EQ(evidence.toleranceOf({EvidenceQuantity::Source::Comfort, 0}), 5.0);

    // The table gives the threshold over the whole time and per phase: 50 throughout.
    Form1->SetActivePage(Form1->TabSheet4);
    Form1->RadioGroup4->Button(0)->click();
    window->refresh();
    const auto cell = [&](const std::string& row) {
        for (const auto& r : window->shownTable())
            if (r.size() > 1 && r[0] == row)
                return r[1];
        return std::string("<no row>");
    };
    ASSERT_TRUE(waitFor([&] {
        window->refresh();
        return cell("First crossing (min.)") != "<no row>";
    }));
    EXPECT_EQ(cell("First crossing (min.)"), "0");
    EXPECT_EQ(cell("Time beyond (min.)"), "60");
    EXPECT_EQ(cell("Exercise: Time beyond (min.)"), "30");
    EXPECT_EQ(cell("Rest: Entries"), "1");
}

} // namespace
} // namespace tessaplot::test
