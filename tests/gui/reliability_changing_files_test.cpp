// Result files that change, vanish or turn into something else while the windows
// watch them: the views follow what is there, tell at most once, never hang.
#include "SampleData.h"
#include "app/RadioGroup.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/Unit4.h"
#include "gl/GlPanel.h"
#include "section2d/Image2d.h"
#include "support/ModalAnswerer.h"
#include "support/fieldview_fixture.h"
#include "support/reliability_watch.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <GL/gl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaplot::test {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

// Writes `text` to a new file beside `file` and renames it over `file`, as a program
// replacing a table in one go does.
void replaceFile(const fs::path& file, const std::string& text) {
    const fs::path fresh = file.string() + ".new";
    writeFile(fresh, text);
    fs::rename(fresh, file);
}

void removeAnything(const fs::path& path) {
    std::error_code error;
    fs::remove_all(path, error);
}

void makeFifo(const fs::path& path) {
    removeAnything(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
}

QString caption(int labelNumber) {
    return Form1->findChild<QLabel*>(QStringLiteral("Label%1").arg(labelNumber))->text();
}

bool allConclusionsEmpty() {
    for (int n = 15; n <= 26; ++n)
        if (!caption(n).isEmpty())
            return false;
    return true;
}

bool anyColouredPixel(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::max({c.red(), c.green(), c.blue()}) -
                    std::min({c.red(), c.green(), c.blue()}) >
                40)
                return true;
        }
    return false;
}

// Line i of a growing Comfort.dat: time 10 (i + 1) minutes, comfort 1000 + 7 i, so
// that any piece of a line read as a whole line shows in Time or ComfortValue.
float lineTime(int i) {
    return 10.0f * static_cast<float>(i + 1);
}
float lineComfort(int i) {
    return 1000.0f + 7.0f * static_cast<float>(i);
}
std::string comfortLine(int i) {
    char line[128];
    std::snprintf(line, sizeof line, "%g\t1\t2\t3\t4\t5\t6\t50\t50\t%g\n", lineTime(i),
                  lineComfort(i));
    return line;
}
std::string comfortLines(int from, int to) {
    std::string text;
    for (int i = from; i < to; ++i)
        text += comfortLine(i);
    return text;
}

QString endTimeCaption(int records) {
    return QStringLiteral("%1 min.").arg(records > 0 ? lineTime(records - 1) : 0.0f);
}

class ChangingFilesTest : public FieldViewTest {
protected:
    fs::path openSampleSet(const QString& name = QStringLiteral("run")) {
        const fs::path dir = fs::path(dataDir.path().toStdString()) / name.toStdString();
        sample::DataSetOptions options;
        options.comfortLines = 40;
        options.timeSteps = 12;
        EXPECT_TRUE(sample::WriteDataSet(dir, options));
        openDataSet(QString::fromStdString(dir.string()));
        return dir;
    }

    static void showComfortPage(int quantity) {
        Form1->SetActivePage(Form1->TabSheet4);
        ASSERT_TRUE(waitFor([] { return Form1->Panel16->hasContext(); }));
        Form1->RadioGroup4->Button(quantity)->click();
    }

    static QMatrix4x4 modelView() { return CurrentModelView(Form1->ViewDC); }
};

// Every record taken is a whole line of the writer's, in order.
void expectRecordsAreWholeLines(int upTo) {
    for (int i = 0; i < Form1->ComfortCount && i < upTo; ++i) {
        ASSERT_EQ(Form1->ComfortRecords[static_cast<size_t>(i)].Time, lineTime(i))
            << "record " << i;
        ASSERT_EQ(Form1->ComfortRecords[static_cast<size_t>(i)].ComfortValue, lineComfort(i))
            << "record " << i;
    }
}

TEST_F(ChangingFilesTest, ComfortFileAppendedByAnotherWriterIsFollowedLineByLine) {
    const fs::path file = openSampleSet() / "Comfort.dat";
    writeFile(file, comfortLines(0, 2));
    ModalAnswerer answerer;
    showComfortPage(2);
    ASSERT_TRUE(waitFor([] { return Form1->ComfortCount == 2; }));

    constexpr int kLines = 90;
    // Lines whose line feed may be on disk (raised before the write) and lines whose
    // line feed surely is (raised after it).
    std::atomic<int> mayBeComplete{2};
    std::atomic<int> complete{2};
    // The writer holds a half line (1) until the window has checked it (2).
    std::atomic<int> halfLine{0};
    // Joined however the test ends; a failed assertion stops it at the next line.
    std::jthread writer([&](const std::stop_token& stop) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0)
            return;
        const auto put = [fd](const char* data, size_t size) {
            while (size > 0) {
                const ssize_t n = ::write(fd, data, size);
                if (n <= 0)
                    return;
                data += n;
                size -= static_cast<size_t>(n);
            }
        };
        for (int i = 2; i < kLines && !stop.stop_requested(); ++i) {
            const std::string line = comfortLine(i);
            // Where the line is broken: inside the comfort value, right after the
            // ninth TAB (nine TABs and an empty value), inside the time; or not at all.
            const size_t breaks[] = {line.size() - 3, line.rfind('\t') + 1, 1, 0};
            const size_t cut = breaks[i % 4];
            if (cut > 0) {
                put(line.data(), cut);
                // Hold the half line until the window has had its ticks with it.
                halfLine = 1;
                for (int wait = 0; wait < 5000 && halfLine != 2 && !stop.stop_requested(); ++wait)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                halfLine = 0;
            }
            mayBeComplete = i + 1;
            put(line.data() + cut, line.size() - cut);
            complete = i + 1;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ::close(fd);
    });

    QElapsedTimer elapsed;
    elapsed.start();
    int halfLinesChecked = 0;
    int largestSeen = 0;
    while (elapsed.elapsed() < 30000 && !(complete == kLines && Form1->ComfortCount == kLines)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QTest::qWait(1);
        const int count = Form1->ComfortCount;
        ASSERT_LE(count, mayBeComplete.load());
        ASSERT_GE(count, largestSeen) << "an appended file never loses records";
        largestSeen = count;
        expectRecordsAreWholeLines(count);
        if (count > 0) {
            ASSERT_EQ(Form1->ComfortEndTime, lineTime(count - 1));
        }
        if (halfLine == 1) {
            // The ticks catch up with the whole lines, then go on with the half line
            // at the end of the file without taking it.
            const int whole = complete;
            EXPECT_TRUE(waitFor([whole] { return Form1->ComfortCount == whole; }));
            runEventsFor(35);
            EXPECT_EQ(Form1->ComfortCount, whole) << "with a half line at the end";
            EXPECT_EQ(caption(15), endTimeCaption(whole)) << "the chart follows";
            expectRecordsAreWholeLines(Form1->ComfortCount);
            ++halfLinesChecked;
            halfLine = 2;
        }
    }
    writer.join();
    EXPECT_EQ(Form1->ComfortCount, kLines);
    EXPECT_EQ(Form1->ComfortEndTime, lineTime(kLines - 1));
    EXPECT_TRUE(waitFor([] { return caption(15) == endTimeCaption(kLines); }));
    EXPECT_EQ(halfLinesChecked, 66);
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join(", ").toStdString();
}

TEST_F(ChangingFilesTest, ComfortFileTakenAwayInEveryWayToldOnceAndPageRecovers) {
    const fs::path file = openSampleSet() / "Comfort.dat";
    writeFile(file, comfortLines(0, 6));
    ModalAnswerer answerer;
    EventLoopWatch watch(file.string());
    showComfortPage(0);
    const auto showsRecords = [](int records) {
        return waitFor([records] {
            return Form1->ComfortCount == records &&
                   (records == 0 ? allConclusionsEmpty() : caption(15) == endTimeCaption(records));
        });
    };
    ASSERT_TRUE(showsRecords(6));

    struct Step {
        const char* what;
        std::function<void()> takeAway;
    };
    const Step steps[] = {
        {"truncated to nothing", [&] { fs::resize_file(file, 0); }},
        {"truncated in the middle of a line", [&] { fs::resize_file(file, 20); }},
        {"deleted", [&] { fs::remove(file); }},
        {"replaced by a directory",
         [&] {
             fs::remove(file);
             fs::create_directory(file);
         }},
        {"replaced by a FIFO", [&] { makeFifo(file); }},
        {"a link to itself",
         [&] {
             fs::remove(file);
             fs::create_symlink(file, file);
         }},
        {"a link to nowhere",
         [&] {
             fs::remove(file);
             fs::create_symlink(file.string() + "x", file);
         }},
    };
    const int descriptors = CurrentProcessFigures().openDescriptors;
    int records = 6;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.takeAway();
        ASSERT_TRUE(showsRecords(0));
        runEventsFor(60);
        EXPECT_EQ(Form1->ComfortCount, 0);
        // Back, a different length each time: the page follows at once.
        removeAnything(file);
        records = records % 5 + 3;
        writeFile(file, comfortLines(0, records));
        ASSERT_TRUE(showsRecords(records));
    }
    EXPECT_FALSE(watch.stalled()) << "a tick blocked reading; longest gap " << watch.longestGapMs()
                                  << " ms";
    EXPECT_EQ(CurrentProcessFigures().openDescriptors, descriptors) << "none left open";
    EXPECT_LE(answerer.texts.size(), 1) << answerer.texts.join(", ").toStdString();

    // Unreadable. Root reads whatever the permission bits say; this thread gives up
    // that power for the moment.
    ASSERT_EQ(::chmod(file.c_str(), 0), 0);
    {
        const DropFileReadOverride asUser;
        if (asUser.effective()) {
            ASSERT_TRUE(showsRecords(0));
            runEventsFor(60);
        }
    }
    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    ASSERT_TRUE(showsRecords(records));
    EXPECT_LE(answerer.texts.size(), 1) << answerer.texts.join(", ").toStdString();
    EXPECT_EQ(answerer.texts.value(0, "No files!"), "No files!");
    EXPECT_FALSE(watch.stalled());
    if (!DropFileReadOverride().effective())
        GTEST_SKIP() << "permission bits do not bind this process: the unreadable file "
                        "could not be tried";
}

// The Fabric page with a one-layer table, and the Fibers page with a fibre file of
// the sample set: the file changes between two redraws of a turned view.
struct FieldCase {
    const char* page;
    bool fibers;
};

void PrintTo(const FieldCase& c, std::ostream* out) {
    *out << c.page;
}

class FieldFileChangesTest : public ChangingFilesTest,
                             public ::testing::WithParamInterface<FieldCase> {};

std::string fieldTable(int steps) {
    std::string table;
    char line[160];
    for (int k = 0; k < steps; ++k)
        for (int node = 0; node < 6; ++node) {
            // Column 3 (a fibre quantity) and column 8 (the temperature) vary.
            std::snprintf(line, sizeof line, "%d\t%g\t1\t%d\t1\t0\t55\t1\t%d\t0.5\n", 6 * k,
                          0.05 * node, k * (node + 1), k * (node + 1));
            table += line;
        }
    return table;
}

TEST_P(FieldFileChangesTest, NextRedrawShowsTheNewContentInTheTurnedView) {
    const bool fibers = GetParam().fibers;
    fs::path file;
    if (fibers) {
        const fs::path dir = openSampleSet();
        Form1->SetActivePage(Form1->TabSheet2);
        ASSERT_TRUE(waitFor([] { return Form1->Panel5->hasContext(); }));
        ASSERT_TRUE(waitForRedraw());
        Form1->RadioGroup2->SetItemIndex(1); // column 3
        file = dir / Form1->Label7->text().toStdString();
        writeFile(file, fieldTable(11));
        Form1->BitBtn4Click();
    } else {
        const QString dir = writeFabrics(1, [](int, int) { return 0.0; });
        file = fs::path(dir.toStdString()) / "Fabrics.dat";
        writeFile(file, fieldTable(11));
        openDataSet(dir);
        Form1->RadioGroup1->SetItemIndex(5); // column 8
        Form1->BitBtn1Click();
    }
    ModalAnswerer answerer;
    EventLoopWatch watch(file.string());
    GlPanel* panel = fibers ? Form1->Panel5 : Form1->Panel1;
    ASSERT_EQ(Form1->PointCount, 66);

    const auto turnLeft = fibers ? &TForm1::ToolButton11Click : &TForm1::ToolButton6Click;
    const auto turnRight = fibers ? &TForm1::ToolButton10Click : &TForm1::ToolButton5Click;
    const auto tiltUp = fibers ? &TForm1::ToolButton2Click : &TForm1::ToolButton3Click;
    for (int i = 0; i < 3; ++i)
        (Form1->*turnLeft)();
    (Form1->*tiltUp)();
    const QMatrix4x4 turned = modelView();

    struct Change {
        const char* what;
        std::function<void()> apply;
        int points;
        float timeMax;
    };
    const Change changes[] = {
        {"shorter, rewritten in place", [&] { writeFile(file, fieldTable(3)); }, 18, 12},
        {"longer, renamed over it", [&] { replaceFile(file, fieldTable(20)); }, 120, 114},
        {"empty", [&] { writeFile(file, ""); }, 0, 0},
        {"a last line still being written",
         [&] { writeFile(file, fieldTable(4) + "24\t0.05\t1\t1"); }, 24, 18},
        {"a directory",
         [&] {
             removeAnything(file);
             fs::create_directory(file);
         },
         0, 0},
        {"a FIFO", [&] { makeFifo(file); }, 0, 0},
        {"gone", [&] { removeAnything(file); }, 0, 0},
        {"back", [&] { writeFile(file, fieldTable(11)); }, 66, 60},
    };
    const int descriptors = CurrentProcessFigures().openDescriptors;
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        for (const bool byStep : {false, true}) {
            SCOPED_TRACE(byStep ? "redrawn by a step" : "redrawn by the deferred redraw");
            Form1->PointCount = -1;
            change.apply();
            if (byStep) {
                (Form1->*turnLeft)();
                (Form1->*turnRight)();
            } else {
                Form1->RedrawPending = true;
                ASSERT_TRUE(waitForRedraw());
            }
            EXPECT_EQ(Form1->PointCount, change.points);
            EXPECT_EQ(Form1->TimeMax, change.timeMax);
            if (change.points > 0) {
                EXPECT_EQ(Form1->TimeTickLabels[5], QString::number(change.timeMax).toStdString());
            }
            EXPECT_TRUE(NearlyEqual(modelView(), turned, 1e-4f)) << "the view stays turned";
            const QImage picture = panel->grabFramebuffer();
            EXPECT_EQ(anyColouredPixel(picture), change.points > 0);
            const PictureProbe probe = probeWithCurrentView(panel);
            EXPECT_TRUE(probe.anyNear(probe.pixelOf(0, 0, 1.2f), 1, isBlack)) << "the frame";
        }
    }
    EXPECT_FALSE(watch.stalled()) << "a redraw blocked reading; longest gap "
                                  << watch.longestGapMs() << " ms";
    EXPECT_EQ(CurrentProcessFigures().openDescriptors, descriptors) << "none left open";
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Pages, FieldFileChangesTest,
                         ::testing::Values(FieldCase{"Fabric", false}, FieldCase{"Fibers", true}),
                         [](const auto& info) { return std::string(info.param.page); });

bool anyCurvePixel(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                return true;
        }
    return false;
}

TEST_F(ChangingFilesTest, SectionWindowOpenWhileTheTableChangesUnderIt) {
    const QString dir = writeFabrics(1, [](int, int) { return 0.0; });
    const fs::path file = fs::path(dir.toStdString()) / "Fabrics.dat";
    writeFile(file, fieldTable(11));
    openDataSet(dir);
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    Form1->RadioButton2->click(); // a position section: the value over time at one node
    Form1->ComboBox2->setCurrentIndex(2);

    ModalAnswerer answerer;
    bool entered = false;
    std::vector<bool> curves;
    std::vector<int> points;
    answerer.onDialog = [&](QWidget* modal) {
        if (modal != Form3 || entered || !Form3->ImageDC->hasContext())
            return;
        entered = true;
        for (const int steps : {3, 20, 0, -1, 11}) {
            if (steps < 0)
                removeAnything(file);
            else
                writeFile(file, fieldTable(steps));
            Form1->RedrawPending = true;
            waitForRedraw();
            points.push_back(Form1->PointCount);
            curves.push_back(anyCurvePixel(Form3->ImageDC->grabFramebuffer()));
        }
        Form3->BitBtn2->click();
    };
    Form1->BitBtn3->click();
    EXPECT_TRUE(entered);
    EXPECT_EQ(points, (std::vector<int>{18, 120, 0, 0, 66}));
    EXPECT_EQ(curves, (std::vector<bool>{true, true, false, false, true}));
    EXPECT_TRUE(answerer.texts.isEmpty()) << answerer.texts.join(", ").toStdString();
}

TEST_F(ChangingFilesTest, DataDirectoryRenamedOrRemovedWhileOpen) {
    ModalAnswerer answerer;
    for (const bool removed : {false, true}) {
        SCOPED_TRACE(removed ? "removed" : "renamed");
        const fs::path dir = openSampleSet(removed ? "removed" : "renamed");
        const fs::path moved = dir.string() + "-moved";
        Form1->RadioGroup1->SetItemIndex(5);
        Form1->BitBtn1Click();
        ASSERT_GT(Form1->PointCount, 0);
        answerer.texts.clear();

        if (removed)
            fs::remove_all(dir);
        else
            fs::rename(dir, moved);

        Form1->RedrawPending = true;
        ASSERT_TRUE(waitForRedraw());
        EXPECT_EQ(Form1->PointCount, 0);
        EXPECT_FALSE(anyColouredPixel(Form1->Panel1->grabFramebuffer()));
        Form1->ToolButton6Click();
        Form1->BitBtn1Click();
        EXPECT_EQ(Form1->PointCount, 0);

        // Every other page, its Show Data, and the comfort refresh.
        Form1->SetActivePage(Form1->TabSheet2);
        ASSERT_TRUE(waitFor([] { return Form1->Panel5->hasContext(); }));
        ASSERT_TRUE(waitForRedraw());
        Form1->RadioGroup2->SetItemIndex(0);
        Form1->BitBtn4Click();
        Form1->ToolButton11Click();
        EXPECT_EQ(Form1->PointCount, 0);
        Form1->SetActivePage(Form1->TabSheet3);
        ASSERT_TRUE(waitFor([] { return Form1->Panel8->hasContext(); }));
        ASSERT_TRUE(waitForRedraw());
        Form1->RadioGroup3->SetItemIndex(1);
        Form1->BitBtn7Click();
        EXPECT_EQ(Form1->PointCount, 0);
        showComfortPage(1);
        ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
        runEventsFor(300);
        EXPECT_EQ(Form1->ComfortCount, 0);
        EXPECT_EQ(answerer.texts, QStringList{"No files!"}) << "one message, not one a tick";

        // Back where it was: every page shows it again without a new Open.
        if (removed) {
            sample::DataSetOptions options;
            options.comfortLines = 40;
            options.timeSteps = 12;
            ASSERT_TRUE(sample::WriteDataSet(dir, options));
        } else {
            fs::rename(moved, dir);
        }
        ASSERT_TRUE(waitFor([] { return Form1->ComfortCount == 40; }));
        Form1->SetActivePage(Form1->TabSheet1);
        ASSERT_TRUE(waitForRedraw());
        EXPECT_GT(Form1->PointCount, 0);
        EXPECT_TRUE(anyColouredPixel(Form1->Panel1->grabFramebuffer()));
        EXPECT_EQ(answerer.texts.size(), 1);
    }
}

QListWidgetItem* directoryEntry(const QString& name) {
    for (int row = 0; row < Form4->DirectoryListBox1->count(); ++row) {
        QListWidgetItem* item = Form4->DirectoryListBox1->item(row);
        if (item->text().trimmed() == name)
            return item;
    }
    return nullptr;
}

void doubleClick(QListWidgetItem* item) {
    ASSERT_NE(item, nullptr);
    emit Form4->DirectoryListBox1->itemDoubleClicked(item);
}

std::string chooserDirectory() {
    return Form4->DirectoryListBox1->Directory().toStdString();
}

TEST_F(ChangingFilesTest, ChooserBrowsingIntoDirectoriesThatVanish) {
    ModalAnswerer answerer;
    const fs::path root = fs::path(dataDir.path().toStdString()) / "browse";
    fs::create_directories(root / "gone");
    sample::DataSetOptions options;
    options.timeSteps = 6;
    ASSERT_TRUE(sample::WriteDataSet(root / "run", options));
    Form4->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form4));
    const QString rootText = QString::fromStdString(root.string());
    ASSERT_TRUE(Form4->DirectoryListBox1->SetDirectory(rootText));

    // An entry whose directory was removed after the listing: the list stays.
    fs::remove(root / "gone");
    QListWidgetItem* gone = directoryEntry("gone");
    ASSERT_NE(gone, nullptr);
    doubleClick(gone);
    EXPECT_EQ(chooserDirectory(), root.string());
    EXPECT_FALSE(Form4->DirectoryListBox1->SetDirectory(rootText + "/gone"));

    // A directory listed as holding a data set, removed before Open.
    doubleClick(directoryEntry("run"));
    ASSERT_EQ(chooserDirectory(), (root / "run").string());
    EXPECT_TRUE(Form4->HasFabrics);
    EXPECT_GT(Form4->ListBox1->count(), 0);
    fs::remove_all(root / "run");
    Form4->Button1Click();
    ASSERT_TRUE(waitFor([] { return Form1->Panel1->hasContext(); }));
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    ASSERT_TRUE(waitForRedraw());
    EXPECT_EQ(Form1->PointCount, 0);
    EXPECT_EQ(Form1->ComboBox5->count(), 0) << "no layers in a file that is not there";
    EXPECT_FALSE(anyColouredPixel(Form1->Panel1->grabFramebuffer()));

    // The chooser again, in the directory that is no more: an empty listing, and Open
    // says so once.
    Form1->File1Click();
    EXPECT_FALSE(Form4->HasFabrics);
    EXPECT_EQ(Form4->ListBox1->count(), 0);
    EXPECT_EQ(Form1->ComboBox6->count(), 0);
    answerer.texts.clear();
    Form4->Button1Click();
    ASSERT_TRUE(waitFor([&] { return !answerer.texts.isEmpty(); }));
    runEventsFor(50);
    EXPECT_EQ(answerer.texts, QStringList{"Lack Of Data Files!"});

    // Its own entry leads nowhere; its parent's entry still leads home.
    Form4->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form4));
    doubleClick(directoryEntry("run"));
    EXPECT_EQ(chooserDirectory(), (root / "run").string());
    doubleClick(directoryEntry("browse"));
    EXPECT_EQ(chooserDirectory(), root.string());
    EXPECT_EQ(directoryEntry("run"), nullptr);
    EXPECT_EQ(answerer.texts.size(), 1);
}

} // namespace
} // namespace tessaplot::test
