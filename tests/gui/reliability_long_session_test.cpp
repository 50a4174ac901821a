// A long session: many thousand comfort ticks and navigation redraws leave the
// display lists, the resident memory and the open descriptors where they started.
#include "SampleData.h"
#include "app/RadioGroup.h"
#include "gl/GlPanel.h"
#include "support/ModalAnswerer.h"
#include "support/fieldview_fixture.h"
#include "support/reliability_watch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTimer>

#include <GL/gl.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

namespace tessaplot::test {
namespace {

namespace fs = std::filesystem;

constexpr int kSessionLength = 10000;
constexpr int kWarmUp = 300;
// Generous: the heap may keep some pages it was given back, and one more Comfort.dat
// line a tick grows the file read every tick by a few hundred kilobytes in all.
constexpr long long kRssGrowthLimitKiB = 20 * 1024;

std::string comfortLine(int i) {
    char line[128];
    std::snprintf(line, sizeof line, "%d\t1\t2\t3\t4\t5\t6\t%d\t%d\t%d\n", i + 1, 20 + i % 60,
                  10 + i % 80, 30 + i % 50);
    return line;
}

std::string joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& text : texts)
        all += text + "; ";
    return all;
}

struct Figures {
    int lists = 0;
    ProcessFigures process;
};

Figures measure(GlPanel* panel) {
    Figures figures;
    panel->makeCurrent();
    figures.lists = CountDisplayLists();
    figures.process = CurrentProcessFigures();
    return figures;
}

class LongSessionTest : public FieldViewTest {
protected:
    void report(const char* what, const Figures& before, const Figures& after, qint64 ms) {
        std::printf(
            "[ figures  ] %s: display lists %d -> %d, RSS %lld -> %lld KiB (%+lld), "
            "descriptors %d -> %d, %lld ms\n",
            what, before.lists, after.lists, before.process.residentKiB, after.process.residentKiB,
            after.process.residentKiB - before.process.residentKiB, before.process.openDescriptors,
            after.process.openDescriptors, static_cast<long long>(ms));
        std::fflush(stdout);
        RecordProperty("lists_before", before.lists);
        RecordProperty("lists_after", after.lists);
        RecordProperty("rss_kib_before", std::to_string(before.process.residentKiB));
        RecordProperty("rss_kib_after", std::to_string(after.process.residentKiB));
        RecordProperty("descriptors_before", before.process.openDescriptors);
        RecordProperty("descriptors_after", after.process.openDescriptors);
        RecordProperty("milliseconds", std::to_string(ms));
    }

    static void expectAsBefore(const Figures& before, const Figures& after) {
        EXPECT_EQ(after.lists, before.lists);
        EXPECT_EQ(after.process.openDescriptors, before.process.openDescriptors)
            << "before: " << joined(before.process.descriptorTargets)
            << "\nafter: " << joined(after.process.descriptorTargets);
        EXPECT_LT(after.process.residentKiB - before.process.residentKiB, kRssGrowthLimitKiB);
    }
};

TEST_F(LongSessionTest, TenThousandComfortTicks) {
    const fs::path dir = fs::path(dataDir.path().toStdString()) / "run";
    sample::DataSetOptions options;
    options.timeSteps = 6;
    ASSERT_TRUE(sample::WriteDataSet(dir, options));
    const fs::path file = dir / "Comfort.dat";
    std::string start;
    for (int i = 0; i < 20; ++i)
        start += comfortLine(i);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << start;
    openDataSet(QString::fromStdString(dir.string()));
    ModalAnswerer answerer;

    Form1->SetActivePage(Form1->TabSheet4);
    ASSERT_TRUE(waitFor([] { return Form1->Panel16->hasContext(); }));
    Form1->RadioGroup4->Button(2)->click();
    ASSERT_TRUE(waitFor([] { return Form1->ComfortCount == 20; }));
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(fd, 0);

    int lines = 20;
    // Every other tick finds one line more; the ticks between find the file unchanged.
    const auto session = [&](int ticks) {
        for (int tick = 0; tick < ticks; ++tick) {
            if (tick % 2 == 1) {
                const std::string line = comfortLine(lines++);
                ASSERT_EQ(::write(fd, line.data(), line.size()), static_cast<ssize_t>(line.size()));
            }
            Form1->Timer2Timer();
            if (tick % 64 == 0)
                QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
    };
    session(kWarmUp);
    const Figures before = measure(Form1->Panel16);
    QElapsedTimer timer;
    timer.start();
    session(kSessionLength);
    const qint64 ms = timer.elapsed();
    Form1->Timer2Timer();
    const Figures after = measure(Form1->Panel16);
    ::close(fd);

    report("10000 comfort ticks", before, after, ms);
    EXPECT_EQ(Form1->ComfortCount, lines);
    EXPECT_EQ(Form1->ComfortEndTime, static_cast<float>(lines));
    expectAsBefore(before, after);
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join(", ").toStdString();
}

TEST_F(LongSessionTest, TenThousandNavigationRedraws) {
    // Eleven time steps of six nodes: the whole loading and drawing of every redraw,
    // at a size that lets ten thousand of them run in seconds.
    openDataSet(writeFabrics(11, [](int step, int node) { return step * 6 + node; }));
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    ASSERT_EQ(Form1->PointCount, 66);
    ModalAnswerer answerer;

    const auto session = [](int redraws) {
        for (int step = 0; step < redraws; ++step) {
            Form1->ToolButton6Click();
            // In the program each picture is shown before the next click arrives, and
            // showing it makes the renderer carry out what was queued. Waiting for that
            // stands in for the window's paint, which under a software renderer costs
            // several times the redraw itself. (Without either, a software renderer
            // holds every queued picture's work in memory until the next paint.)
            glFinish();
            if (step % 64 == 0)
                QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
    };
    session(kWarmUp);
    const Figures before = measure(Form1->Panel1);
    QElapsedTimer timer;
    timer.start();
    session(kSessionLength);
    const qint64 ms = timer.elapsed();
    const Figures after = measure(Form1->Panel1);

    report("10000 navigation redraws", before, after, ms);
    EXPECT_EQ(Form1->PointCount, 66);
    expectAsBefore(before, after);
    // The font lists of both fonts, and nothing else, outlive a redraw.
    EXPECT_EQ(after.lists, 2 * 255);
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join(", ").toStdString();
}

} // namespace
} // namespace tessaplot::test
