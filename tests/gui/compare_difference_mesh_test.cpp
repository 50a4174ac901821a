// "Difference From": the mesh of the opened run minus a compared run, chosen from the
// panel's menu or the command line; its colours, its table, its keeping across view
// steps, and the pictures unchanged while no difference is chosen.
#include "app/RadioGroup.h"
#include "compare/Comparison.h"
#include "compare/DifferenceView.h"
#include "export/ExportTargets.h"
#include "fieldview/FieldViewState.h"
#include "gl/GlPanel.h"
#include "platform/FileSystem.h"
#include "support/ContextMenu.h"
#include "support/PointerHover.h"
#include "support/ProgramRun.h"
#include "support/fieldview_fixture.h"

#include "SampleData.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>

namespace tessaplot::test {
namespace {

constexpr int kTemperature = 5;
constexpr int kSteps = 11;

float stepY(int step) {
    return static_cast<float>(step) / static_cast<float>(kSteps - 1);
}

class DifferenceMeshTest : public FieldViewTest {
protected:
    void SetUp() override {
        FieldViewTest::SetUp();
        seeFilesAsSettled(true);
    }
    void TearDown() override {
        seeFilesAsSettled(false);
        FieldViewTest::TearDown();
    }
    // The opened run "fabric-run" and the compared run "other-run", whose temperature is
    // lower by step - 3: the difference runs from -3 (step 0) to 7 (step 10), zero at
    // step 3, the same across the thickness.
    void openRuns() {
        const auto opened = [](int k, int node) { return 20.0 + k + 0.1 * node; };
        other = dataDir.filePath("other-run");
        writeFabrics(kSteps, [&](int k, int node) { return opened(k, node) - (k - 3); });
        ASSERT_TRUE(QDir().rename(dataDir.filePath("fabric-run"), other));
        openDataSet(writeFabrics(kSteps, opened));
        Form1->RadioGroup1->SetItemIndex(kTemperature);
        QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
        ASSERT_TRUE(waitForRedraw());
    }
    // Chooses `run` in the panel's "Difference From" submenu by keys, as a user does.
    static void chooseDifference(const QString& run) {
        WithContextMenu(Form1->Panel1, [&run](QMenu* menu) {
            auto* from = menu->findChild<QMenu*>("DifferenceFromMenu");
            ASSERT_NE(from, nullptr);
            ASSERT_TRUE(from->isEnabled());
            menu->setActiveAction(from->menuAction());
            QTest::keyClick(menu, Qt::Key_Right);
            ASSERT_TRUE(from->isVisible());
            ChooseMenuItem(from, run);
        });
        QTest::qWait(20);
    }
    QString other;
};

QColor rampColour(RampColor c) {
    return QColor::fromRgbF(c.r, c.g, c.b);
}

TEST_F(DifferenceMeshTest, DrawnThroughWhiteAtZeroKeptAcrossStepsAndGoneWithItsRun) {
    openRuns();
    const QImage plain = Form1->Panel1->grabFramebuffer();
    ASSERT_FALSE(Form1->comparison->add(other.toStdString()));
    // Nothing compared yet in the menu, nothing changed by comparing.
    EXPECT_EQ(Form1->Panel1->grabFramebuffer(), plain);

    chooseDifference("other-run");
    EXPECT_EQ(Form1->VariableCaption, "Temperature(degree of C) - other-run");
    EXPECT_EQ(Form1->ValueTickLabels.front(), "-3.00");
    EXPECT_EQ(Form1->ValueTickLabels.back(), "7.00");
    const ColorRamp ramp = Form1->fieldDrawInputs().ramp;
    const auto expected = [&](float s) {
        ColorRamp diverging = ramp;
        diverging.whiteAt = 0.3f;
        return rampColour(diverging.at(s));
    };
    const PictureProbe probe = probeOf(Form1->Panel1, true);
    for (int k : {1, 2, 3, 5, 9}) {
        const float s = static_cast<float>(k) / 10.0f; // (k - 3 + 3) / 10
        EXPECT_TRUE(colorNear(probe, 0.5f, stepY(k), s, expected(s), 2, 2)) << "step " << k;
    }
    EXPECT_EQ(expected(0.3f), QColor(Qt::white));

    // The table behind it: both runs' values and their difference, record by record.
    const ExportTarget table = ExportTargetOf(Form1->Panel1);
    EXPECT_EQ(table.header, (std::vector<std::string>{"Time (min.)", "Thickness (cm)", "fabric-run",
                                                      "other-run", "Difference"}));
    ASSERT_EQ(table.columns.size(), 5u);
    ASSERT_EQ(table.columns[4].size(), static_cast<std::size_t>(kSteps * 6));
    for (std::size_t i = 0; i < table.columns[4].size(); ++i)
        EXPECT_NEAR(table.columns[4][i], table.columns[0][i] / 6.0f - 3.0f, 1e-5f) << i;
    EXPECT_TRUE(table.baseName.endsWith("minus_other-run")) << table.baseName.toStdString();
    // The pointer reads the records drawn, under the difference's title.
    const std::span<const FieldPoint> drawn = DrawnRecords(*Form1);
    ASSERT_EQ(drawn.size(), table.columns[4].size());
    EXPECT_EQ(drawn[40].Value, table.columns[4][40]);
    // Its unit is the quantity's, though the caption ends in the run's name.
    const std::vector<float>& vertices = Form1->fieldViewState->keptMesh.mesh.vertices;
    const PictureProbe hovered = probeWithCurrentView(Form1->Panel1);
    const QPoint pixel =
        hovered.pixelOf(vertices[3 * 40], vertices[3 * 40 + 1], vertices[3 * 40 + 2]);
    const QString read =
        HoverAt(Form1->Panel1, (QPointF(pixel) / Form1->Panel1->devicePixelRatioF()).toPoint());
    EXPECT_TRUE(
        read.contains(QRegularExpression("\nTemperature - other-run: -?[0-9.,]+ degree of C$")))
        << read.toStdString();

    // A view step draws the kept difference: nothing taken anew.
    const std::uint64_t taken = Form1->comparison->difference.generation;
    Form1->ToolButton5Click();
    EXPECT_EQ(Form1->comparison->difference.generation, taken);
    EXPECT_EQ(Form1->fieldViewState->keptMesh.replacedGeneration, taken);

    // Following: the compared table rewritten (one degree colder still) is drawn anew.
    const QString written = dataDir.filePath("fabric-run");
    ASSERT_TRUE(QDir().rename(written, dataDir.filePath("opened-run")));
    writeFabrics(kSteps, [](int k, int node) { return 20.0 + k + 0.1 * node - (k - 3) - 1; });
    ASSERT_TRUE(QFile::remove(other + "/Fabrics.dat"));
    ASSERT_TRUE(QFile::rename(written + "/Fabrics.dat", other + "/Fabrics.dat"));
    ASSERT_TRUE(QDir().rmdir(written));
    ASSERT_TRUE(QDir().rename(dataDir.filePath("opened-run"), written));
    ASSERT_TRUE(waitFor([] { return Form1->ValueTickLabels.front() == "-2.00"; }));
    EXPECT_EQ(Form1->ValueTickLabels.back(), "8.00");

    // "None", and the run removed, give the field itself, pixel for pixel.
    chooseDifference("None");
    Form1->ToolButton1Click();
    EXPECT_EQ(Form1->Panel1->grabFramebuffer(), plain);
    chooseDifference("other-run");
    Form1->comparison->remove(0);
    EXPECT_TRUE(Form1->comparison->difference.runSerial == 0);
    Form1->ToolButton1Click();
    EXPECT_EQ(Form1->Panel1->grabFramebuffer(), plain);
    EXPECT_EQ(Form1->VariableCaption, "Temperature(degree of C)");
}

// Run B is run A with every temperature 0.5 higher; run C lacks the fibre file.
class DifferenceCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        sample::DataSetOptions options;
        options.timeSteps = 12;
        options.comfortLines = 40;
        ASSERT_TRUE(sample::WriteDataSet(path("A").toStdString(), options));
        ASSERT_TRUE(sample::WriteDataSet(path("C").toStdString(), options));
        ASSERT_TRUE(QFile::remove(path("C") + "/fabric1_fiber_1.dat"));
        std::istringstream in(sample::FabricsTable(options));
        std::string line, warmer;
        while (std::getline(in, line)) {
            std::vector<std::string> fields;
            std::istringstream columns(line);
            for (std::string field; std::getline(columns, field, '\t');)
                fields.push_back(field);
            char value[32];
            std::snprintf(value, sizeof value, "%.6E", std::stod(fields.at(8)) + 0.5);
            fields[8] = value;
            for (std::size_t i = 0; i < fields.size(); ++i)
                warmer += (i ? "\t" : "") + fields[i];
            warmer += '\n';
        }
        ASSERT_TRUE(sample::WriteDataSet(path("B").toStdString(), options));
        ASSERT_TRUE(sample::WriteTextFile(path("B").toStdString() + "/Fabrics.dat", warmer));
    }
    QString path(const QString& name) const { return root.filePath(name); }
    QTemporaryDir root;
};

TEST_F(DifferenceCommandTest, WarmerByHalfADegreeEverywhereAndTheRefusals) {
    const QString temperature = "Temperature(degree of C)";
    for (const QString& chosen : {QStringLiteral("B"), path("B")}) {
        const ProgramRun run =
            RunProgram({"--export", path("d.csv"), "--compare", path("B"), "--difference-from",
                        chosen, "--variable", temperature, "--layer", "2", path("A")});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        QFile csv(path("d.csv"));
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = csv.readAll().trimmed().split('\n');
        EXPECT_EQ(lines.takeFirst().trimmed(), "Time (min.),Thickness (cm),A,B,Difference");
        ASSERT_EQ(lines.size(), 12 * 6);
        for (const QByteArray& row : lines) {
            const QList<QByteArray> cells = row.trimmed().split(',');
            ASSERT_EQ(cells.size(), 5);
            const float a = cells[2].toFloat(), b = cells[3].toFloat();
            EXPECT_NEAR(cells[4].toFloat(), -0.5f, 4e-6f) << row.toStdString();
            EXPECT_NEAR(b - a, 0.5f, 4e-6f) << row.toStdString();
        }
    }

    const ProgramRun unknown =
        RunProgram({"--export", path("x.csv"), "--compare", path("B"), "--difference-from", "Z",
                    "--variable", temperature, path("A")});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.contains("no compared run Z; the compared runs are \"B\""))
        << unknown.err.toStdString();

    const ProgramRun unreadable =
        RunProgram({"--export", path("y.csv"), "--compare", path("C"), "--difference-from", "C",
                    "--page", "Fibers", "--variable", "Moisture Content(kg/m^2)", path("A")});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_TRUE(unreadable.err.contains("No difference from C")) << unreadable.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("y.csv")));
}

} // namespace
} // namespace tessaplot::test
