#include "OverlayBench.h"

#include "SampleData.h"
#include "Timing.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "comfort/ComfortState.h"
#include "compare/Comparison.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "fieldview/FieldViewState.h"
#include "gl/GlPanel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace tessaplot::bench {

namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 9;
constexpr int kRecords = 150000;
constexpr int kRunCount = 4;

void settle(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QTest::qWait(5);
}

void row(const std::string& what, const Figure& f, const std::string& note = {}) {
    std::printf("| %-58s | %9.3f | %8.3f - %-8.3f | %s\n", what.c_str(), f.median, f.min, f.max,
                note.c_str());
    std::fflush(stdout);
}

std::string ratio(double ours, double single) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2fx of the single run", ours / single);
    return text;
}

// Runs that differ by their noise: a BodyProperty.dat and a Comfort.dat of 150,000
// lines each, a small Fabrics.dat so that each opens as a run.
std::vector<fs::path> makeRuns(const fs::path& root) {
    std::vector<fs::path> runs;
    for (int i = 0; i < kRunCount; ++i) {
        const fs::path dir = root / ("compare-" + std::to_string(i + 1));
        runs.push_back(dir);
        if (fs::exists(dir / "done"))
            continue;
        std::printf("generating %s ...\n", dir.c_str());
        std::fflush(stdout);
        fs::create_directories(dir);
        sample::DataSetOptions small;
        small.timeSteps = 10;
        small.fiberFiles = 0;
        sample::DataSetOptions large = small;
        large.layers = 1;
        large.timeSteps = kRecords;
        large.comfortLines = kRecords;
        large.durationMinutes = kRecords * 0.5;
        large.seed = static_cast<std::uint64_t>(i + 1);
        sample::WriteTextFile(dir / "Fabrics.dat", sample::FabricsTable(small));
        sample::WriteTextFile(dir / "BodyProperty.dat", sample::BodyPropertyTable(large));
        sample::WriteTextFile(dir / "Comfort.dat", sample::ComfortTable(large));
        sample::WriteTextFile(dir / "done", "");
    }
    return runs;
}

// A run whose Comfort.dat has 2,000,000 lines, to be compared with the opened one.
fs::path makeLongComfortRun(const fs::path& root) {
    const fs::path dir = root / "compare-comfort-2000000";
    if (fs::exists(dir / "done"))
        return dir;
    std::printf("generating %s ...\n", dir.c_str());
    std::fflush(stdout);
    fs::create_directories(dir);
    sample::DataSetOptions o;
    o.timeSteps = 10;
    o.fiberFiles = 0;
    o.comfortLines = 2000000;
    o.durationMinutes = 2000000 * 0.05;
    sample::WriteTextFile(dir / "Fabrics.dat", sample::FabricsTable(o));
    sample::WriteTextFile(dir / "Comfort.dat", sample::ComfortTable(o));
    sample::WriteTextFile(dir / "done", "");
    return dir;
}

void finish(GlPanel* panel) {
    panel->makeCurrent();
    glFinish();
}

void compareWith(const std::vector<fs::path>& runs) {
    Form1->comparison->clear();
    for (std::size_t i = 1; i < runs.size(); ++i)
        Form1->comparison->add(runs[i].string());
}

} // namespace

void CompareSection(const fs::path& root) {
    std::printf("\n### Compared runs: four runs of 150,000 records overlaid (+ glFinish)\n\n");
    std::printf("| %-58s | %9s | %-19s | ratios\n", "case", "median ms", "min - max ms");
    std::printf("|---|---|---|---|\n");
    const std::vector<fs::path> runs = makeRuns(root);
    Form4->DirectoryListBox1->SetDirectory(QString::fromStdString(runs.front().string()));
    Form4->Button1Click();
    settle(100);

    // BodyProperty: the reduced draw of the opened run, then with three runs compared
    // (their tables read by the first draw, kept after).
    Form1->SetActivePage(Form1->TabSheet3);
    settle(200);
    Form1->RadioGroup3->SetItemIndex(0);
    Form1->BitBtn7Click();
    const auto drawBody = [] {
        DrawFieldPage(*Form1);
        finish(Form1->Panel8);
    };
    const Figure bodySingle = Measure(kRuns, drawBody);
    compareWith(runs);
    const Figure bodyFour = Measure(kRuns, drawBody);
    row("BodyProperty, the opened run alone", bodySingle);
    row("BodyProperty, four runs overlaid", bodyFour, ratio(bodyFour.median, bodySingle.median));
    // The same with 1,000 measured points of the shown quantity (±SD), three phases and
    // two thresholds laid beside the runs.
    {
        std::string measured = "Time,temperature of skin,temperature of skin SD\n";
        for (int i = 0; i < 1000; ++i)
            measured += std::to_string(kRecords * 0.5 * (i + 0.5) / 1000.0) + "," +
                        std::to_string(33.0 + 0.5 * std::sin(i * 0.1)) + ",0.3\n";
        const fs::path file = root / "compare-measured.csv";
        sample::WriteTextFile(file, measured);
        Evidence& evidence = Form1->comparison->evidence;
        evidence.addMeasured(file.string());
        evidence.setPhases("Rest:0-20000,Exercise:20000-50000,Recovery:50000-75000");
        evidence.setThresholds({"temperature of skin>=34", "temperature of skin<32"});
        const Figure bodyEvidence = Measure(kRuns, drawBody);
        row("BodyProperty, four runs, 1,000 measured points, phases, limits", bodyEvidence,
            ratio(bodyEvidence.median, bodySingle.median) + "; " +
                std::to_string(bodyEvidence.median / bodyFour.median).substr(0, 4) +
                "x of four runs without them");
        evidence = Evidence{};
    }
    // Following looks at every run's table; nothing changed, nothing is read or drawn.
    const Figure followFour = Measure(kRuns, [] { Form1->followShownTable(); });
    Form1->comparison->clear();
    const Figure followSingle = Measure(kRuns, [] { Form1->followShownTable(); });
    row("BodyProperty follow tick, the opened run alone, unchanged", followSingle);
    row("BodyProperty follow tick, four runs unchanged", followFour,
        ratio(followFour.median, followSingle.median));

    // The comfort chart: the draw (the curves rebuilt from the records) and one tick.
    Form1->SetActivePage(Form1->TabSheet4);
    Form1->RadioGroup4->SetItemIndex(2);
    settle(300);
    Form1->Timer2->stop(); // the ticks are made by hand here
    const auto tickWhole = [] {
        do
            Form1->Timer2Timer();
        while (Form1->ComfortReadPending());
        finish(Form1->Panel16);
    };
    const auto drawComfort = [&] {
        Form1->comfortState->drawnValid = false;
        tickWhole();
    };
    const Figure comfortSingle = Measure(kRuns, drawComfort);
    const Figure tickSingle = Measure(kRuns, tickWhole);
    compareWith(runs);
    tickWhole(); // the compared files read whole
    const Figure comfortFour = Measure(kRuns, drawComfort);
    const Figure tickFour = Measure(kRuns, tickWhole);
    row("Comfort chart, the opened run alone", comfortSingle);
    row("Comfort chart, four runs overlaid", comfortFour,
        ratio(comfortFour.median, comfortSingle.median));
    row("Comfort tick, the opened run alone, unchanged", tickSingle);
    row("Comfort tick, four runs unchanged", tickFour, ratio(tickFour.median, tickSingle.median));

    // A run of 2,000,000 lines compared: its file is read over the ticks that follow, and
    // the tick that has it whole builds and draws its curve. The longest of those ticks
    // (the event loop runs between them, as for a user) is what the window waits for.
    const fs::path longRun = makeLongComfortRun(root);
    std::vector<double> longest;
    for (int i = 0; i < 3; ++i) {
        Form1->comparison->clear();
        tickWhole();
        QElapsedTimer adding;
        adding.start();
        Form1->comparison->add(longRun.string());
        finish(Form1->Panel16);
        double slowest = adding.nsecsElapsed() / 1e6;
        int ticks = 0;
        const auto timed = [&slowest](const std::function<void()>& work) {
            QElapsedTimer watch;
            watch.start();
            work();
            finish(Form1->Panel16);
            slowest = std::max(slowest, watch.nsecsElapsed() / 1e6);
        };
        do {
            // What the event loop does between the ticks blocks the window too.
            timed([] { QCoreApplication::processEvents(); });
            timed([] { Form1->Timer2Timer(); });
            ++ticks;
        } while ((Form1->comparison->run(0).comfort.reader.readPending() ||
                  Form1->comparison->run(0).comfort.records().empty()) &&
                 ticks < 10000);
        longest.push_back(slowest);
    }
    std::sort(longest.begin(), longest.end());
    row("Comfort, a 2,000,000-line run compared: its longest tick",
        {longest[1], longest[0], longest[2]}, "until its curve is drawn");
    Form1->comparison->clear();
}

} // namespace tessaplot::bench
