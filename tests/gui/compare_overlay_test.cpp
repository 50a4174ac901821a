// Compared runs drawn over the opened run's curve: BodyProperty, the comfort chart and
// the 2D section, their long tables, and what following shows when a run's file changes.
#include "SampleData.h"
#include "app/RadioGroup.h"
#include "comfort/ComfortChartGeometry.h"
#include "comfort/SensationBands.h"
#include "compare/CompareRunsWindow.h"
#include "compare/Comparison.h"
#include "compare/DifferenceView.h"
#include "compare/SectionOverlay.h"
#include "export/CsvTable.h"
#include "export/ExportTargets.h"
#include "gl/DrawReduction.h"
#include "gl/GlPanel.h"
#include "readout/TimeMarkView.h"
#include "section2d/Image2d.h"
#include "support/ModalAnswerer.h"
#include "support/PointerHover.h"
#include "support/fieldview_fixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string>

namespace tessaplot::test {
namespace {

namespace fs = std::filesystem;

// The first compared run's colour, as drawn into an 8-bit framebuffer.
QColor comparedColour() {
    const RunColour c = ComparedRunColours()[0];
    return QColor::fromRgbF(c.r, c.g, c.b);
}

bool near(const QColor& seen, const QColor& expected, int tolerance) {
    return qAbs(seen.red() - expected.red()) <= tolerance &&
           qAbs(seen.green() - expected.green()) <= tolerance &&
           qAbs(seen.blue() - expected.blue()) <= tolerance;
}

// Whether the colour shows anywhere in the rectangle of the image.
bool colourIn(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (near(image.pixelColor(x, y), colour, 2))
                return true;
    return false;
}

// A BodyProperty.dat of `records` lines: time minutesPerStep * k, skin temperature
// value(k), the other sixteen quantities 1.
std::string bodyTable(int records, double minutesPerStep, const std::function<double(int)>& value) {
    std::string text;
    for (int k = 0; k < records; ++k) {
        char line[128];
        std::snprintf(line, sizeof line, "%g\t%.9g", minutesPerStep * k, value(k));
        text += line;
        for (int column = 0; column < 16; ++column)
            text += "\t1";
        text += '\n';
    }
    return text;
}

// A Comfort.dat whose comfort value at time times[i] is values[i].
std::string comfortTable(const std::vector<float>& times, const std::vector<float>& values) {
    std::string text;
    for (size_t i = 0; i < times.size(); ++i) {
        char line[160];
        std::snprintf(line, sizeof line, "%g\t1\t2\t3\t4\t5\t6\t50\t50\t%g\n", times[i], values[i]);
        text += line;
    }
    return text;
}

// A fibre table of four steps at firstTime + 30 s * s over six nodes 0 ... 0.25: node n
// of step s holds scale * 0.001 * (1 + (n + s) % 6).
std::string fiberTable(double scale, int firstTime = 0) {
    std::string text;
    for (int step = 0; step < 4; ++step)
        for (int node = 0; node < 6; ++node) {
            char line[128];
            std::snprintf(line, sizeof line, "%d\t%g\t%.6E\t0\t0\n", firstTime + step * 30,
                          0.05 * node, scale * 0.001 * (1 + (node + step) % 6));
            text += line;
        }
    return text;
}

class CompareOverlayTest : public FieldViewTest {
protected:
    // A sample run named `name` under the work directory.
    fs::path makeRun(const std::string& name) {
        const fs::path dir = fs::path(workDir.path().toStdString()) / name;
        sample::DataSetOptions options;
        options.timeSteps = 10;
        options.comfortLines = 20;
        std::string error;
        EXPECT_TRUE(sample::WriteDataSet(dir, options, &error)) << error;
        return dir;
    }
    static void write(const fs::path& file, const std::string& text) {
        std::string error;
        ASSERT_TRUE(sample::WriteTextFile(file, text, &error)) << error;
    }
    static void compare(const fs::path& dir) {
        ASSERT_EQ(Form1->comparison->add(dir.string()), std::nullopt);
    }
    // The run opened on the BodyProperty page, its first quantity chosen.
    void openOnBodyProperty(const fs::path& dir) {
        openDataSet(QString::fromStdString(dir.string()));
        Form1->SetActivePage(Form1->TabSheet3);
        ASSERT_TRUE(waitFor([] { return Form1->Panel8->hasContext(); }));
        ASSERT_TRUE(waitForRedraw());
        Form1->RadioGroup3->SetItemIndex(0);
    }
    static void showData() { QTest::mouseClick(Form1->BitBtn7, Qt::LeftButton); }
    // "Show 2D Data" on the Fibers page: the 2D window's picture once drawn, with
    // `whileShown` done before it is closed.
    QImage showSection(const std::function<void()>& whileShown = {}) {
        QImage picture;
        answerer.onDialog = [&](QWidget* modal) {
            if (modal != Form3 || !Form3->ImageDC->hasContext() || Form1->RedrawPending ||
                !picture.isNull())
                return;
            picture = Form3->ImageDC->grabFramebuffer();
            if (whileShown)
                whileShown();
            Form3->BitBtn2->click();
        };
        QTest::mouseClick(Form1->BitBtn6, Qt::LeftButton);
        answerer.onDialog = nullptr;
        return picture;
    }
    static std::string csvOf(GlPanel* surface) {
        const ExportTarget target = ExportTargetOf(surface);
        return CsvTable(target.header, target.columns, target.runs);
    }

    ModalAnswerer answerer;
};

TEST_F(CompareOverlayTest, BodyPropertyCurvesLieAtTheirValuesOnAxesSpanningBothRuns) {
    const fs::path jacket = makeRun("jacket"), vest = makeRun("vest");
    // jacket: 0 ... 60 min., 30 ... 33; vest: 0 ... 90 min., 31 ... 36.
    write(jacket / "BodyProperty.dat", bodyTable(11, 6, [](int k) { return 30 + 0.3 * k; }));
    write(vest / "BodyProperty.dat", bodyTable(11, 9, [](int k) { return 31 + 0.5 * k; }));
    ASSERT_NO_FATAL_FAILURE(openOnBodyProperty(jacket));
    showData();
    const QImage alone = Form1->Panel8->grabFramebuffer();

    // Each run's records where the common axes (0 ... 90 min., 30 ... 36) put them.
    const auto expectCurves = [this](int vestRecords, double vestStep, double vestFrom,
                                     double vestRise, float timeMax, float valueMax) {
        EXPECT_EQ(Form1->TimeMin, 0.0f);
        EXPECT_EQ(Form1->TimeMax, timeMax);
        EXPECT_EQ(Form1->ValueMin, 30.0f);
        EXPECT_FLOAT_EQ(Form1->ValueMax, valueMax);
        const PictureProbe probe = probeOf(Form1->Panel8, false);
        const float valueSpan = valueMax - 30.0f;
        int jacketSeen = 0, vestSeen = 0;
        for (int k = 1; k < 10; ++k)
            jacketSeen += colorNear(probe, 6.0f * k / timeMax, 0.3f * k / valueSpan, 0,
                                    QColor(255, 0, 0), 2, 0);
        for (int k = 1; k < vestRecords - 1; ++k)
            vestSeen += colorNear(probe, static_cast<float>(vestStep * k / timeMax),
                                  static_cast<float>((vestFrom + vestRise * k - 30) / valueSpan), 0,
                                  comparedColour(), 2, 2);
        EXPECT_GE(jacketSeen, 8);
        EXPECT_GE(vestSeen, vestRecords - 3);
    };

    // Following draws a run added since.
    compare(vest);
    Form1->followShownTable();
    expectCurves(11, 9, 31, 0.5, 90, 36);
    // The legend right of the plot names the runs in their colours.
    const PictureProbe probe = probeOf(Form1->Panel8, false);
    const QRect legend(probe.pixelOf(1.1f, 0.75f, 0), probe.pixelOf(1.5f, 1.0f, 0));
    EXPECT_TRUE(colourIn(probe.image, legend.normalized(), comparedColour()));
    EXPECT_TRUE(colourIn(probe.image, legend.normalized(), QColor(255, 0, 0)));

    // The long table: the opened run's rows, then the compared run's.
    const std::string csv = csvOf(Form1->Panel8);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "Run,Time (min.),temperature of skin(degree of C)");
    EXPECT_NE(csv.find("\r\njacket,0,30\r\njacket,6,30.3\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\njacket,60,33\r\nvest,0,31\r\nvest,9,31.5\r\n"), std::string::npos);
    EXPECT_EQ(csv.substr(csv.size() - 12), "vest,90,36\r\n");

    // Rewritten: six records, 0 ... 90 min., 31 ... 32.25; following draws them.
    write(vest / "BodyProperty.dat", bodyTable(6, 18, [](int k) { return 31 + 0.25 * k; }));
    Form1->followShownTable();
    expectCurves(6, 18, 31, 0.25, 90, 33);
    // Removed: nothing of it is drawn, the jacket's own axes come back.
    fs::remove(vest / "BodyProperty.dat");
    Form1->followShownTable();
    expectCurves(0, 1, 0, 0, 60, 33);
    const QRect plot = QRect(probe.pixelOf(0, 1, 0), probe.pixelOf(1, 0, 0)).normalized();
    EXPECT_FALSE(colourIn(Form1->Panel8->grabFramebuffer(), plot, comparedColour()));
    EXPECT_EQ(csvOf(Form1->Panel8).find("vest,"), std::string::npos);

    // Nothing compared again: the very picture of before, once following drew it.
    Form1->comparison->remove(0);
    Form1->followShownTable();
    EXPECT_EQ(Form1->Panel8->grabFramebuffer(), alone);
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join(", ").toStdString();
}

TEST_F(CompareOverlayTest, KeptCurvesOfComparedRunsDrawWhatTheWholeCurvesDrawAfterEachChange) {
    // Noisy curves of more records than the panel has pixel columns: drawn through the
    // points each column needs, those kept from draw to draw.
    const fs::path jacket = makeRun("jacket"), vest = makeRun("vest"), coat = makeRun("coat");
    const auto noisy = [](int seed, double scale) {
        return [=](int k) { return 30 + scale * ((k * 7919 + seed * 104729) % 1000) / 200.0; };
    };
    write(jacket / "BodyProperty.dat", bodyTable(3000, 0.1, noisy(1, 1)));
    write(vest / "BodyProperty.dat", bodyTable(3000, 0.1, noisy(2, 1)));
    write(coat / "BodyProperty.dat", bodyTable(2000, 0.15, noisy(3, 1)));
    ASSERT_NO_FATAL_FAILURE(openOnBodyProperty(jacket));
    showData();
    compare(vest);
    // Each change must miss what was kept of the state before it.
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"nothing changed", [] {}},
        {"records rewritten",
         [&] { write(vest / "BodyProperty.dat", bodyTable(3000, 0.1, noisy(4, 1))); }},
        {"another run in its place",
         [&] {
             Form1->comparison->remove(0);
             compare(coat);
         }},
        {"axes widened",
         [&] { write(coat / "BodyProperty.dat", bodyTable(2000, 0.2, noisy(3, 3))); }},
    };
    for (const auto& [what, change] : changes) {
        showData();
        change();
        Form1->followShownTable();
        showData();
        const QImage kept = Form1->Panel8->grabFramebuffer();
        SetDrawReduction(false);
        showData();
        SetDrawReduction(true);
        EXPECT_EQ(kept, Form1->Panel8->grabFramebuffer()) << what;
    }
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join(", ").toStdString();
}

TEST_F(CompareOverlayTest, ComfortChartShowsEachRunOverTheLongerTimeAndFollowsItsFile) {
    const fs::path jacket = makeRun("jacket"), vest = makeRun("vest");
    write(jacket / "Comfort.dat", comfortTable({10, 20, 30, 40, 50, 60}, {40, 50, 60, 70, 60, 50}));
    write(vest / "Comfort.dat", comfortTable({15, 30, 45, 60, 75, 90}, {35, 45, 55, 65, 75, 70}));
    openDataSet(QString::fromStdString(jacket.string()));
    Form1->SetActivePage(Form1->TabSheet4);
    ASSERT_TRUE(waitFor([] { return Form1->Panel16->hasContext(); }));
    Form1->RadioGroup4->Button(2)->click();
    runEventsFor(300);
    GlPanel* panel = Form1->Panel16;
    const QImage alone = panel->grabFramebuffer();

    QMatrix4x4 view;
    view.translate(-0.75f, -0.6f, 0.0f);
    const QMatrix4x4 mvp = ExpectedProjection(panel->width(), panel->height(), 0.95f) * view;
    // Every record of both runs on the 0 ... 90 min. axis, each run in its colour.
    const auto curvesShown = [&](const std::vector<float>& vestTimes,
                                 const std::vector<float>& vestValues) {
        const PictureProbe probe(panel, mvp);
        const std::vector<float> times{10, 20, 30, 40, 50}, values{40, 50, 60, 70, 60};
        for (size_t i = 0; i < times.size(); ++i)
            if (!probe.anyNear(probe.pixelOf(times[i] / 90, values[i] / 100, 0), 1, isBlack))
                return false;
        for (size_t i = 0; i + 1 < vestTimes.size(); ++i)
            if (!probe.anyNear(probe.pixelOf(vestTimes[i] / 90, vestValues[i] / 100, 0), 1,
                               [](const QColor& c) { return near(c, comparedColour(), 2); }))
                return false;
        return true;
    };

    compare(vest);
    EXPECT_TRUE(waitFor([&] {
        return curvesShown({15, 30, 45, 60, 75, 90}, {35, 45, 55, 65, 75, 70});
    }));
    const std::string csv = csvOf(panel);
    EXPECT_EQ(csv, "Run,Time (min.),Comfort Value\r\n"
                   "jacket,10,40\r\njacket,20,50\r\njacket,30,60\r\njacket,40,70\r\n"
                   "jacket,50,60\r\njacket,60,50\r\n"
                   "vest,15,35\r\nvest,30,45\r\nvest,45,55\r\nvest,60,65\r\nvest,75,75\r\n"
                   "vest,90,70\r\n");

    // The value under the pointer names each run's value nearest the pointer's time, at
    // the run's own time where it has no record at that one.
    const auto band = [](float v) {
        const auto q = ComfortQuantity::ComfortValue;
        return QString::fromLatin1(
            SensationBandsOf(q)[static_cast<std::size_t>(SensationBandIndex(q, v))].name.data());
    };
    const PictureProbe probe(panel, mvp);
    EXPECT_EQ(HoverAt(panel, probe.pixelOf(30.0f / 90, 0.6f, 0)).section('\n', 1),
              "Comfort Value: 60 (" + band(60) + ")\nvest: 45 (" + band(45) + ")");
    EXPECT_EQ(HoverAt(panel, probe.pixelOf(40.0f / 90, 0.7f, 0)).section('\n', 2),
              "vest: 55 (" + band(55) + ") at 45 min.");

    // Rewritten to other values, and then removed: the next ticks show it.
    write(vest / "Comfort.dat", comfortTable({30, 60, 90}, {20.5f, 25, 28}));
    EXPECT_TRUE(waitFor([&] { return curvesShown({30, 60, 90}, {20.5f, 25, 28}); }));
    fs::remove(vest / "Comfort.dat");
    const QRect plot =
        QRect(PictureProbe(panel, mvp).pixelOf(0, 1, 0), PictureProbe(panel, mvp).pixelOf(1, 0, 0))
            .normalized();
    EXPECT_TRUE(
        waitFor([&] { return !colourIn(panel->grabFramebuffer(), plot, comparedColour()); }));
    EXPECT_EQ(csvOf(panel).find("vest,"), std::string::npos);

    Form1->comparison->remove(0);
    EXPECT_TRUE(waitFor([&] { return panel->grabFramebuffer() == alone; }));
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join(", ").toStdString();
}

// Where a point of the 2D section's frame lands (see the 2D window's own test).
QPoint framePixel(float x, float y, int imageHeight) {
    const QVector3D ndc = ExpectedProjection(476, 374, 1.15f).map(QVector3D(x - 0.7f, y - 0.5f, 0));
    return QPoint(static_cast<int>((ndc.x() + 1.0f) * 0.5f * 550.0f),
                  imageHeight - 1 - static_cast<int>((ndc.y() + 1.0f) * 0.5f * 450.0f));
}

TEST_F(CompareOverlayTest, SectionCutsEveryRunAtTheSameTimeOrSaysItHasNone) {
    const fs::path jacket = makeRun("jacket"), vest = makeRun("vest");
    write(jacket / "fabric1_fiber_1.dat", fiberTable(1));
    write(vest / "fabric1_fiber_1.dat", fiberTable(2));
    openDataSet(QString::fromStdString(jacket.string()));
    Form1->SetActivePage(Form1->TabSheet2);
    ASSERT_TRUE(waitFor([] { return Form1->Panel5->hasContext(); }));
    ASSERT_TRUE(waitForRedraw());
    Form1->RadioGroup2->SetItemIndex(0);
    Form1->BitBtn4->click();
    ASSERT_TRUE(waitForRedraw());
    Form1->RadioButton3->click();
    Form1->ComboBox3->setEditText("30");
    // What the pointer reads at a point of the picture while it is shown.
    QPoint pointer;
    QString readout;
    const auto hover = [&] { readout = HoverAt(Form3->ImageDC, pointer); };
    const QImage alone = showSection();
    ASSERT_FALSE(alone.isNull());

    compare(vest);
    const auto comparedCuts = [] {
        SectionExtents extents = Form3->ShownExtents;
        return CutComparedSections(Form3->ShownSection, extents);
    };
    // Step 1 of both runs on values 0.001 ... 0.012, probed between the nodes.
    const auto y = [](double scale, int node) {
        return static_cast<float>((scale * 0.001 * (1 + (node + 1) % 6) - 0.001) / 0.011);
    };
    pointer = framePixel(0.2f, y(1, 1), alone.height());
    const QImage both = showSection(hover);
    ASSERT_EQ(comparedCuts().size(), 1u);
    EXPECT_EQ(comparedCuts()[0].problem, "");
    // The pointer on the jacket's node at 0.05 m reads the vest's value there too.
    EXPECT_EQ(readout.toStdString(),
              "SposePos: 0.05 m\nWater Vapor Concentration: 0.003 kg/m^3\nvest: 0.006");
    const int h = both.height();
    const QColor vestColour = comparedColour();
    for (int node = 0; node < 4; ++node)
        for (float t : {0.3f, 0.7f}) {
            const float x = 0.2f * (node + t);
            EXPECT_TRUE(
                AnyPixelNear(both, framePixel(x, y(1, node) + t * (y(1, node + 1) - y(1, node)), h),
                             1, [](const QColor& c) { return near(c, QColor(255, 0, 0), 2); }))
                << "jacket between nodes " << node << " and " << node + 1;
            EXPECT_TRUE(
                AnyPixelNear(both, framePixel(x, y(2, node) + t * (y(2, node + 1) - y(2, node)), h),
                             1, [&](const QColor& c) { return near(c, vestColour, 2); }))
                << "vest between nodes " << node << " and " << node + 1;
        }
    const std::string csv = csvOf(Form3->ImageDC);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "Run,SposePos(m),Water Vapor Concentration(kg/m^3)");
    EXPECT_NE(csv.find("\r\njacket,0,0.002\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\nvest,0.25,0.002\r\n"), std::string::npos) << csv;

    // The vest's steps a second later: it has no step at 30 s, and draws nothing.
    write(vest / "fabric1_fiber_1.dat", fiberTable(2, 1));
    const QImage shifted = showSection();
    ASSERT_EQ(comparedCuts().size(), 1u);
    EXPECT_EQ(comparedCuts()[0].problem, "no such time");
    const QRect plot = QRect(framePixel(0, 1, h), framePixel(1, 0, h)).normalized();
    EXPECT_FALSE(colourIn(shifted, plot, vestColour));

    Form1->comparison->remove(0);
    EXPECT_EQ(showSection(), alone);
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join(", ").toStdString();
}

} // namespace
} // namespace tessaplot::test

namespace tessaplot::test {
namespace {

// Every list operation, then every picture and export of compared runs holds exactly
// the runs listed, under their names now, each at its current records: the comfort
// chart, BodyProperty, the difference mesh, the 2D section, the Compare Runs table and
// their tables. A removed run's curve never outlives it, even when what it took away
// equals what another run's change added; a difference follows its run, not a name.
TEST_F(CompareOverlayTest, EveryPictureAndTableHoldsExactlyTheRunsListedAfterEachChange) {
    const fs::path base = makeRun("base");
    std::vector<fs::path> runs;
    for (const char* name : {"r1", "r2", "r3", "twin/r1"})
        runs.push_back(makeRun(name));
    const std::vector<float> times{10, 20, 30, 40, 50, 60};
    // Every table of a run at one value: comfort, skin temperature, fibre concentration.
    const auto level = [&](const fs::path& run, float value) {
        write(run / "Comfort.dat", comfortTable(times, std::vector<float>(times.size(), value)));
        write(run / "BodyProperty.dat", bodyTable(11, 6, [value](int) { return value; }));
        std::string fiber;
        for (int step = 0; step < 4; ++step)
            for (int node = 0; node < 6; ++node)
                fiber += std::to_string(step * 30) + "\t" + std::to_string(0.05 * node) + "\t" +
                         std::to_string(value) + "\t0\t0\n";
        write(run / "fabric1_fiber_1.dat", fiber);
    };
    level(base, 10);
    openDataSet(QString::fromStdString(base.string()));
    Form1->SetActivePage(Form1->TabSheet2);
    ASSERT_TRUE(waitFor([] { return Form1->Panel5->hasContext(); }));
    Form1->RadioGroup2->SetItemIndex(0);
    QTest::mouseClick(Form1->BitBtn4, Qt::LeftButton);
    Form1->RadioButton3->click();
    Form1->ComboBox3->setEditText("30");
    Form1->SetActivePage(Form1->TabSheet3);
    ASSERT_TRUE(waitFor([] { return Form1->Panel8->hasContext(); }));
    Form1->RadioGroup3->SetItemIndex(0);
    QTest::mouseClick(Form1->BitBtn7, Qt::LeftButton);
    Form1->SetActivePage(Form1->TabSheet4);
    ASSERT_TRUE(waitFor([] { return Form1->Panel16->hasContext(); }));
    Form1->RadioGroup4->Button(2)->click();
    GlPanel* chart = Form1->Panel16;
    QMatrix4x4 view;
    view.translate(-0.75f, -0.6f, 0.0f);
    const QMatrix4x4 mvp = ExpectedProjection(chart->width(), chart->height(), 0.95f) * view;
    CompareRunsWindow* window = CompareRunsWindowOf(*Form1);

    struct Listed {
        int run;
        std::string name;
        float level; // NaN: no records
    };
    struct Case {
        const char* what;
        std::vector<int> before; // runs compared before, in order
        int differenceFrom;
        std::function<void()> change;
        std::vector<Listed> after;
    };
    const float none = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {"add",
         {0, 1},
         1,
         [&] { compare(runs[2]); },
         {{0, "r1", 30}, {1, "r2", 50}, {2, "r3", 70}}},
        {"remove first",
         {0, 1, 2},
         2,
         [] { Form1->comparison->remove(0); },
         {{1, "r2", 50}, {2, "r3", 70}}},
        {"remove middle",
         {0, 1, 2},
         0,
         [] { Form1->comparison->remove(1); },
         {{0, "r1", 30}, {2, "r3", 70}}},
        {"remove the difference's run",
         {0, 1, 2},
         1,
         [] { Form1->comparison->remove(1); },
         {{0, "r1", 30}, {2, "r3", 70}}},
        // Read once and removed while another run's records move once: a sum of the
        // two would stand still.
        {"remove while another grows",
         {0, 1},
         1,
         [&] {
             Form1->comparison->remove(0);
             write(runs[1] / "Comfort.dat",
                   comfortTable({10, 20, 30, 40, 50, 60, 70}, std::vector<float>(7, 50)));
         },
         {{1, "r2", 50}}},
        {"rewrite", {0, 1}, 1, [&] { level(runs[1], 85); }, {{0, "r1", 30}, {1, "r2", 85}}},
        {"delete files",
         {0, 1},
         0,
         [&] {
             for (const char* file : {"Comfort.dat", "BodyProperty.dat", "fabric1_fiber_1.dat"})
                 fs::remove(runs[1] / file);
         },
         {{0, "r1", 30}, {1, "r2", none}}},
        // "r1 (2)" is "r1" once the first r1 is gone, and its difference goes with it.
        {"rename", {0, 3}, 3, [] { Form1->comparison->remove(0); }, {{3, "r1", 90}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Form1->comparison->clear();
        for (std::size_t i = 0; i < runs.size(); ++i)
            level(runs[i], 30.0f + 20.0f * static_cast<float>(i));
        for (int i : c.before)
            compare(runs[static_cast<std::size_t>(i)]);
        const auto colourOf = [](const ComparedRun& run) {
            return QColor::fromRgbF(run.colour.r, run.colour.g, run.colour.b);
        };
        std::vector<QColor> gone;
        for (std::size_t i = 0; i < Form1->comparison->size(); ++i)
            gone.push_back(colourOf(Form1->comparison->run(i)));
        const std::uint64_t chosen =
            Form1->comparison
                ->run(static_cast<std::size_t>(
                    std::find(c.before.begin(), c.before.end(), c.differenceFrom) -
                    c.before.begin()))
                .serial;
        ChooseDifferenceFrom(*Form1, chosen);
        runEventsFor(300);
        answerer.texts.clear();
        c.change();

        // The list, in order, and what each listed run is drawn in.
        std::vector<std::string> names;
        std::vector<QColor> drawn;
        for (std::size_t i = 0; i < Form1->comparison->size(); ++i) {
            names.push_back(Form1->comparison->run(i).name);
            if (!std::isnan(c.after[i].level))
                drawn.push_back(colourOf(Form1->comparison->run(i)));
            std::erase_if(
                gone, [&](const QColor& g) { return g == colourOf(Form1->comparison->run(i)); });
        }
        std::vector<std::string> expectedNames;
        std::map<std::string, std::set<float>> expectedRows{{"base", {10}}};
        for (const Listed& l : c.after) {
            expectedNames.push_back(l.name);
            if (!std::isnan(l.level))
                expectedRows[l.name] = {l.level};
        }
        ASSERT_EQ(names, expectedNames);
        // A picture shows every listed run with records in its colour, no other's.
        const auto coloursRight = [&](const QImage& image) {
            const QRect all = image.rect();
            return std::all_of(drawn.begin(), drawn.end(),
                               [&](const QColor& k) { return colourIn(image, all, k); }) &&
                   std::none_of(gone.begin(), gone.end(),
                                [&](const QColor& k) { return colourIn(image, all, k); });
        };
        // A table's rows: each run's values, by the name in its run column.
        const auto rowsOf = [](const ExportTarget& target) {
            std::map<std::string, std::set<float>> rows;
            for (std::size_t r = 0; r < target.runs.size(); ++r)
                rows[target.runs[r]].insert(target.columns.back()[r]);
            return rows;
        };

        // The chart, shown while the runs changed: the next ticks show them, each at
        // its level; a run without records draws nothing in the plot.
        EXPECT_TRUE(waitFor([&] {
            const PictureProbe probe(chart, mvp);
            const QRect plot = QRect(probe.pixelOf(0, 1, 0), probe.pixelOf(1, 0, 0)).normalized();
            for (std::size_t i = 0, k = 0; i < c.after.size(); ++i) {
                const QColor colour = colourOf(Form1->comparison->run(i));
                if (std::isnan(c.after[i].level)
                        ? colourIn(probe.image, plot, colour)
                        : !probe.anyNear(probe.pixelOf(0.5f, c.after[i].level / 100, 0), 1,
                                         [&](const QColor& p) { return near(p, drawn[k], 2); }))
                    return false;
                k += std::isnan(c.after[i].level) ? 0 : 1;
            }
            return coloursRight(probe.image) && rowsOf(ExportTargetOf(chart)) == expectedRows;
        }));
        EXPECT_EQ(rowsOf(ExportTargetOf(chart)), expectedRows);
        window->refresh();
        std::vector<std::string> columns;
        for (int col = 2; col < window->Table->columnCount(); ++col)
            columns.push_back(window->Table->horizontalHeaderItem(col)->text().toStdString());
        EXPECT_EQ(columns, expectedNames) << "the Compare Runs table";
        // "Values at t": each run's comfort value beside the opened run's.
        ShowValuesAtTime(30);
        const auto* list = ValuesAtTimeWindow()->findChild<QTreeWidget*>("ValuesList");
        std::map<std::string, std::set<float>> valuesAtT;
        for (int g = 0; g < list->topLevelItemCount(); ++g)
            for (int r = 0; r < list->topLevelItem(g)->childCount(); ++r) {
                const QTreeWidgetItem* row = list->topLevelItem(g)->child(r);
                if (row->text(0).toStdString() == ComfortChartTitle(ComfortQuantity::ComfortValue))
                    valuesAtT[row->text(5).toStdString()].insert(row->text(3).toFloat());
            }
        EXPECT_EQ(valuesAtT, expectedRows) << "Values at t";
        ValuesAtTimeWindow()->hide();

        Form1->SetActivePage(Form1->TabSheet3);
        ASSERT_TRUE(waitForRedraw());
        EXPECT_TRUE(coloursRight(Form1->Panel8->grabFramebuffer())) << "BodyProperty";
        EXPECT_EQ(rowsOf(ExportTargetOf(Form1->Panel8)), expectedRows) << "BodyProperty";

        // The difference, from its run under its name now, or the field itself again.
        Form1->SetActivePage(Form1->TabSheet2);
        ASSERT_TRUE(waitForRedraw());
        const auto differenceRun =
            std::find_if(c.after.begin(), c.after.end(),
                         [&](const Listed& l) { return l.run == c.differenceFrom; });
        if (differenceRun != c.after.end()) {
            EXPECT_TRUE(waitFor([&] {
                const ExportTarget d = ExportTargetOf(Form1->Panel5);
                return d.header.size() == 5 && d.header[3] == differenceRun->name &&
                       d.columns[4].front() == 10 - differenceRun->level &&
                       d.columns[4].back() == 10 - differenceRun->level;
            })) << ExportTargetOf(Form1->Panel5).header.back();
            EXPECT_EQ(Form1->VariableCaption.substr(Form1->VariableCaption.rfind(" - ")),
                      " - " + differenceRun->name);
            EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join(", ").toStdString();
        } else {
            EXPECT_EQ(ExportTargetOf(Form1->Panel5).header.size(), 3u);
            EXPECT_EQ(Form1->VariableCaption.find(" - "), std::string::npos);
            EXPECT_EQ(answerer.texts,
                      QStringList{"No difference from r2: it is no longer compared."});
        }

        const QImage section = showSection();
        EXPECT_TRUE(coloursRight(section)) << "2D section";
        EXPECT_EQ(rowsOf(ExportTargetOf(Form3->ImageDC)), expectedRows) << "2D section";
        Form1->SetActivePage(Form1->TabSheet4);
    }
}

} // namespace
} // namespace tessaplot::test
