// Prints the viewer's speed on large result directories as a table of medians
// (min - max), with our readers set against two reference readers.
//   bench_report <data-directory>          (data is generated there when missing)
//   bench_report --only SECTION <data-directory>  (one of reading, redraw, draw,
//                                                  follow, comfort, export, pick)
//   bench_report --startup-probe           (internal: start-up to the first frame)
//   bench_report --rss-probe <directory>   (internal: peak memory with a big layer shown)
#include "DifferenceBench.h"
#include "OverlayBench.h"
#include "ReferenceReaders.h"
#include "SampleData.h"
#include "Timing.h"

#include "app/Application.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "comfort/ComfortReader.h"
#include "comfort/ComfortState.h"
#include "dataset/DirectoryListBox.h"
#include "dataset/FieldLoader.h"
#include "dataset/Unit4.h"
#include "export/CsvTable.h"
#include "export/ExportTargets.h"
#include "fieldview/FieldViewState.h"
#include "gl/DrawReduction.h"
#include "gl/GlPanel.h"
#include "section2d/Image2d.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <GL/gl.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <string>

namespace fs = std::filesystem;
using namespace tessaplot;
using namespace tessaplot::bench;

namespace {

constexpr int kRuns = 9;

void settle(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QTest::qWait(5);
}

void row(const char* what, const Figure& f, const std::string& note = {}) {
    std::printf("| %-58s | %9.2f | %8.2f - %-8.2f | %s\n", what, f.median, f.min, f.max,
                note.c_str());
    std::fflush(stdout);
}

std::string ratio(double ours, double other, const char* name) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2fx of %s", ours / other, name);
    return text;
}

// Writes the data sets once; later runs reuse them (the generator is deterministic).
struct BenchData {
    fs::path root;
    fs::path layer1800, layer15000, layer150000, body150000;
    fs::path comfort(int lines) const { return root / ("comfort-" + std::to_string(lines)); }
};

bool ensureDataSet(const fs::path& dir, const sample::DataSetOptions& options) {
    if (fs::exists(dir / "done"))
        return true;
    std::printf("generating %s ...\n", dir.c_str());
    std::fflush(stdout);
    if (!sample::WriteDataSet(dir, options))
        return false;
    return sample::WriteTextFile(dir / "done", "");
}

BenchData makeData(const fs::path& root) {
    BenchData data{root, root / "layer-1800", root / "layer-15000", root / "layer-150000",
                   root / "body-150000"};
    const auto fieldSet = [](int steps) {
        sample::DataSetOptions o;
        o.timeSteps = steps;
        o.durationMinutes = steps * 0.5;
        o.fiberFiles = 1;
        o.comfortLines = 100;
        return o;
    };
    ensureDataSet(data.layer1800, fieldSet(300));
    ensureDataSet(data.layer15000, fieldSet(2500));
    ensureDataSet(data.layer150000, fieldSet(25000));
    sample::DataSetOptions body = fieldSet(150000);
    body.layers = 1;
    body.fiberFiles = 0;
    if (!fs::exists(data.body150000 / "done")) {
        fs::create_directories(data.body150000);
        sample::DataSetOptions small = fieldSet(10);
        small.fiberFiles = 0;
        sample::WriteTextFile(data.body150000 / "Fabrics.dat", sample::FabricsTable(small));
        sample::WriteTextFile(data.body150000 / "BodyProperty.dat",
                              sample::BodyPropertyTable(body));
        sample::WriteTextFile(data.body150000 / "done", "");
    }
    for (int lines : {1000, 15000, 150000}) {
        const fs::path dir = data.comfort(lines);
        if (fs::exists(dir / "done"))
            continue;
        sample::DataSetOptions o = fieldSet(10);
        o.fiberFiles = 0;
        o.comfortLines = lines;
        o.durationMinutes = lines * 0.5;
        fs::create_directories(dir);
        sample::WriteTextFile(dir / "Fabrics.dat", sample::FabricsTable(o));
        sample::WriteTextFile(dir / "Comfort.dat", sample::ComfortTable(o));
        sample::WriteTextFile(dir / "done", "");
    }
    return data;
}

void openDataSet(const fs::path& dir) {
    Form4->DirectoryListBox1->SetDirectory(QString::fromStdString(dir.string()));
    Form4->Button1Click();
    settle(100);
}

void finish(GlPanel* panel) {
    panel->makeCurrent();
    glFinish();
}

double numpyLayerMs(const fs::path& fabrics) {
    QProcess python;
    const QString script = QStringLiteral("import time, numpy\n"
                                          "ms = []\n"
                                          "for i in range(3):\n"
                                          "    t = time.perf_counter()\n"
                                          "    a = numpy.loadtxt(r'%1', delimiter='\\t', "
                                          "usecols=(0, 1, 8), dtype=numpy.float32)\n"
                                          "    n = a.shape[0] // 18\n"
                                          "    layer = a.reshape(n, 3, 6, 3)[:, 0, :, :]\n"
                                          "    ms.append((time.perf_counter() - t) * 1000)\n"
                                          "ms.sort()\n"
                                          "print(ms[1])\n")
                               .arg(QString::fromStdString(fabrics.string()));
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script});
    if (!python.waitForFinished(600000) || python.exitCode() != 0)
        return -1;
    return python.readAllStandardOutput().trimmed().toDouble();
}

void readingSection(const BenchData& data) {
    std::printf("\n### Reading one layer of 150,000 records (Fabrics.dat, 450,000 lines)\n\n");
    std::printf("| %-58s | %9s | %-19s | ratios\n", "case", "median ms", "min - max ms");
    std::printf("|---|---|---|---|\n");
    const std::string fabrics = (data.layer150000 / "Fabrics.dat").string();
    std::vector<FieldPoint> points;
    FieldLoadRequest request;
    request.rules = ReadingRules::Fabric;
    request.dataColumn = 8;
    request.layerIndex = 0;
    request.layerCount = 3;
    request.layerLines = 6;
    std::vector<float> values;
    const Figure fgets = Measure(5, [&] { FgetsStrtodFabricLayer(fabrics, 0, 3, 8, values); });
    const Figure scan = Measure(kRuns, [&] { NewlineScan(fabrics); });
    const Figure ours = Measure(kRuns, [&] { LoadField(fabrics, request, points); });
    LineWindow window;
    const Figure oneThread = Measure(kRuns, [&] {
        LoadField(fabrics, request, points, window, std::numeric_limits<std::size_t>::max());
    });
    const double numpy = numpyLayerMs(data.layer150000 / "Fabrics.dat");
    row("our reader (LoadField)", ours,
        ratio(ours.median, oneThread.median, "one thread") + ", " +
            ratio(ours.median, fgets.median, "fgets+strtod") + ", " +
            ratio(ours.median, scan.median, "newline scan") +
            (numpy > 0 ? ", " + ratio(ours.median, numpy, "numpy") : std::string()));
    row("our reader, every run converted on one thread", oneThread);
    row("reference: fgets + strtod on every column", fgets);
    row("reference: fresh read + memchr newline scan (floor)", scan);
    if (numpy > 0)
        row("reference: numpy.loadtxt (median of 3)", Figure{numpy, numpy, numpy});
    else
        std::printf("| numpy not available (python3-numpy) | | | |\n");

    const std::string comfort = (data.comfort(150000) / "Comfort.dat").string();
    const Figure comfortFgets = Measure(5, [&] { FgetsStrtodComfort(comfort, values); });
    const Figure comfortScan = Measure(kRuns, [&] { NewlineScan(comfort); });
    std::vector<ComfortRecord> store;
    const Figure comfortOurs = Measure(kRuns, [&] {
        ComfortFileReader fresh; // no cache: every line converted
        fresh.read(comfort, store);
    });
    const Figure comfortOneThread = Measure(kRuns, [&] {
        ComfortFileReader fresh(LineWindow::kDefaultWindowBytes,
                                std::numeric_limits<std::size_t>::max());
        fresh.read(comfort, store);
    });
    row("Comfort.dat 150,000 lines, our reader without its cache", comfortOurs,
        ratio(comfortOurs.median, comfortOneThread.median, "one thread") + ", " +
            ratio(comfortOurs.median, comfortFgets.median, "fgets+strtod") + ", " +
            ratio(comfortOurs.median, comfortScan.median, "newline scan"));
    row("the same, every run converted on one thread", comfortOneThread);
    row("reference: Comfort.dat fgets + strtod", comfortFgets);
    row("reference: Comfort.dat newline scan (floor)", comfortScan);
}

// Our path against the full work of the same step in the same run: the table read
// again (nothing kept) and every segment handed to the rasterizer.
struct FullWork {
    bool on;
    explicit FullWork(bool full) : on(full) { SetDrawReduction(!full); }
    ~FullWork() { SetDrawReduction(true); }
    void before() const {
        if (on)
            Form1->fieldViewState->keptTable.forget();
    }
};

Figure measureWork(bool full, const std::function<void()>& work, GlPanel* panel) {
    const FullWork mode(full);
    return Measure(kRuns, [&] {
        mode.before();
        work();
        finish(panel);
    });
}

// Ours (kept and reduced where they apply) and the full work, as two rows.
void rowAgainstFull(const char* what, const std::function<void()>& work, GlPanel* panel,
                    bool forgetAlsoInOurs = false) {
    const Figure full = measureWork(true, work, panel);
    const Figure ours = [&] {
        if (!forgetAlsoInOurs)
            return measureWork(false, work, panel);
        SetDrawReduction(true);
        return Measure(kRuns, [&] {
            Form1->fieldViewState->keptTable.forget();
            work();
            finish(panel);
        });
    }();
    row(what, ours, ratio(ours.median, full.median, "the full work"));
    row((std::string(what) + " - full work").c_str(), full);
}

void redrawSection(const BenchData& data) {
    std::printf("\n### Full redraw (read + mesh + draw + glFinish), Show Data\n\n");
    std::printf("Ours: the table read, the mesh thinned or the curve reduced to what the view "
                "shows. Full work: every segment drawn.\n\n");
    std::printf("| %-58s | %9s | %-19s | ratios\n", "case", "median ms", "min - max ms");
    std::printf("|---|---|---|---|\n");
    const struct {
        const fs::path* dir;
        const char* what;
    } fabrics[] = {{&data.layer1800, "Fabric layer of 1,800 records"},
                   {&data.layer15000, "Fabric layer of 15,000 records"},
                   {&data.layer150000, "Fabric layer of 150,000 records"}};
    const auto showData = [] { Form1->BitBtn1Click(); };
    const auto left = [] { Form1->ToolButton6Click(); };
    for (const auto& f : fabrics) {
        openDataSet(*f.dir);
        Form1->SetActivePage(Form1->TabSheet1);
        Form1->RadioGroup1->SetItemIndex(5);
        rowAgainstFull(f.what, showData, Form1->Panel1, true);
        rowAgainstFull((std::string(f.what) + ", one 'Left' step (table kept)").c_str(), left,
                       Form1->Panel1);
    }
    rowAgainstFull("Fabric layer of 150,000 records, Show Data again (table kept)", showData,
                   Form1->Panel1);
    row("Fabric layer of 150,000 records, one 'Left' step", measureWork(false, left, Form1->Panel1),
        "the row above under its old name");

    Form1->SetActivePage(Form1->TabSheet2);
    settle(200);
    Form1->RadioGroup2->SetItemIndex(0);
    rowAgainstFull(
        "Fibre file of 150,000 lines", [] { Form1->BitBtn4Click(); }, Form1->Panel5, true);

    openDataSet(data.body150000);
    Form1->SetActivePage(Form1->TabSheet3);
    settle(200);
    Form1->RadioGroup3->SetItemIndex(0);
    rowAgainstFull(
        "BodyProperty.dat of 150,000 lines", [] { Form1->BitBtn7Click(); }, Form1->Panel8, true);
    rowAgainstFull(
        "BodyProperty.dat of 150,000 lines, Show Data again (table kept)",
        [] { Form1->BitBtn7Click(); }, Form1->Panel8);
}

// CPU share of this process while `seconds` of events run.
double cpuPercentWhile(int seconds) {
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    QElapsedTimer wall;
    wall.start();
    settle(seconds * 1000);
    getrusage(RUSAGE_SELF, &after);
    const auto at = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    const double cpu =
        at(after.ru_utime) - at(before.ru_utime) + at(after.ru_stime) - at(before.ru_stime);
    return 100.0 * cpu / (wall.elapsed() / 1000.0);
}

// A time step appended to the shown Fabrics.dat by another writer, until the page
// shows it: the follow timer's wait, the read, the mesh and the draw.
void followSection(const BenchData& data) {
    std::printf("\n### Following a running simulation on the Fabric page\n\n");
    std::printf("| %-58s | %9s | %-19s |\n", "case", "median ms", "min - max ms");
    std::printf("|---|---|---|---|\n");
    const struct {
        const fs::path* dir;
        const char* what;
    } sets[] = {{&data.layer15000, "15,000 records, a time step appended -> drawn"},
                {&data.layer150000, "150,000 records, a time step appended -> drawn"}};
    for (const auto& set : sets) {
        openDataSet(*set.dir);
        Form1->SetActivePage(Form1->TabSheet1);
        Form1->RadioGroup1->SetItemIndex(5);
        Form1->BitBtn1Click();
        settle(1500); // the table's change time settles
        const fs::path file = *set.dir / "Fabrics.dat";
        const auto originalSize = fs::file_size(file);
        // The last time step again, one step later: 18 lines.
        std::ifstream in(file, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(originalSize) - 4000);
        std::string tail((std::istreambuf_iterator<char>(in)), {});
        std::size_t from = tail.size() - 1;
        for (int lines = 0; lines < 18; ++lines)
            from = tail.rfind('\n', from - 1);
        const std::string step = tail.substr(from + 1);
        std::vector<double> ms;
        for (int i = 0; i < 7; ++i) {
            const int before = Form1->PointCount;
            QElapsedTimer clock;
            clock.start();
            std::ofstream(file, std::ios::app | std::ios::binary) << step;
            while (Form1->PointCount == before && clock.elapsed() < 5000)
                QTest::qWait(1);
            finish(Form1->Panel1);
            ms.push_back(clock.nsecsElapsed() / 1e6);
            settle(300);
        }
        fs::resize_file(file, originalSize);
        std::sort(ms.begin(), ms.end());
        row(set.what, Figure{ms[ms.size() / 2], ms.front(), ms.back()});
    }
    settle(1500);
    std::printf("\nCPU while the Fabric page follows an unchanged 150,000-record table for 10 s: "
                "%.1f%% of one core\n",
                cpuPercentWhile(10));
}

// The draw alone, the data in memory: reduced against every point.
void drawOnlySection(const BenchData& data) {
    std::printf("\n### The draw alone (data in memory, + glFinish): reduced against whole\n\n");
    std::printf("| %-58s | %9s | %-19s | ratios\n", "case", "median ms", "min - max ms");
    std::printf("|---|---|---|---|\n");
    const auto both = [](const char* what, const std::function<void()>& draw, GlPanel* panel) {
        SetDrawReduction(false);
        const Figure whole = Measure(kRuns, [&] {
            draw();
            finish(panel);
        });
        SetDrawReduction(true);
        const Figure reduced = Measure(kRuns, [&] {
            draw();
            finish(panel);
        });
        row(what, reduced, ratio(reduced.median, whole.median, "the whole draw"));
        row((std::string(what) + " - whole").c_str(), whole);
    };
    openDataSet(data.layer150000);
    Form1->SetActivePage(Form1->TabSheet1);
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    both(
        "3D mesh of 150,000 records", [] { DrawFieldPage(*Form1); }, Form1->Panel1);

    // The position section through the 25,000 steps, drawn while its window is up.
    QTimer::singleShot(300, [&] {
        both(
            "2D section curve of 25,000 points", [] { Form3->DrawPicture(); }, Form3->ImageDC);
        Form3->BitBtn2->click();
    });
    Form1->BitBtn3->click();

    openDataSet(data.body150000);
    Form1->SetActivePage(Form1->TabSheet3);
    settle(200);
    Form1->RadioGroup3->SetItemIndex(0);
    Form1->BitBtn7Click();
    both(
        "BodyProperty curve of 150,000 points", [] { DrawFieldPage(*Form1); }, Form1->Panel8);

    openDataSet(data.comfort(150000));
    Form1->SetActivePage(Form1->TabSheet4);
    Form1->RadioGroup4->SetItemIndex(0);
    settle(300);
    Form1->Timer2->stop();
    both(
        "Comfort curve of 150,000 points (5 px wide)",
        [] {
            Form1->comfortState->drawnValid = false;
            do
                Form1->Timer2Timer();
            while (Form1->ComfortReadPending());
        },
        Form1->Panel16);
}

void comfortSection(const BenchData& data) {
    std::printf("\n### One BodyComfort tick (read, chart, conclusions, glFinish)\n\n");
    std::printf("| %-58s | %9s | %-19s |\n", "case", "median ms", "min - max ms");
    std::printf("|---|---|---|---|\n");
    for (int lines : {1000, 15000, 150000}) {
        openDataSet(data.comfort(lines));
        const std::string path = (data.comfort(lines) / "Comfort.dat").string();
        std::ifstream in(path, std::ios::binary);
        const std::string original((std::istreambuf_iterator<char>(in)), {});
        Form1->SetActivePage(Form1->TabSheet4);
        settle(100);
        Form1->Timer2->stop(); // the ticks are made by hand here
        Form1->RadioGroup4->SetItemIndex(0);
        // A read longer than one tick's share goes on over the next ticks: measured
        // until the chart shows the whole file.
        const auto tick = [] {
            do
                Form1->Timer2Timer();
            while (Form1->ComfortReadPending());
            finish(Form1->Panel16);
        };
        const std::string n = std::to_string(lines);
        row((n + " lines, file unchanged").c_str(), Measure(kRuns, tick));

        const std::string lastLine = original.substr(original.rfind('\n', original.size() - 2) + 1);
        const auto appendLine = [&] {
            std::ofstream(path, std::ios::app | std::ios::binary) << lastLine;
        };
        std::string variant = original;
        variant[0] = variant[0] == '1' ? '2' : '1';
        bool flip = false;
        const auto rewrite = [&] {
            flip = !flip;
            std::ofstream(path, std::ios::trunc | std::ios::binary) << (flip ? variant : original);
        };
        // The writer's part timed too, as these rows always were; then the tick alone.
        row((n + " lines, file grows by a line per tick").c_str(), Measure(kRuns, [&] {
                appendLine();
                tick();
            }));
        row((n + " lines, file rewritten whole per tick").c_str(), Measure(kRuns, [&] {
                rewrite();
                tick();
            }));
        row((n + " lines, grown by a line, the tick alone").c_str(),
            Measure(kRuns, appendLine, tick));
        row((n + " lines, rewritten whole, the tick alone").c_str(), Measure(kRuns, rewrite, tick));
        std::ofstream(path, std::ios::trunc | std::ios::binary) << original;
    }

    // CPU share while the page follows an unchanged 150,000-line file on its own timer.
    openDataSet(data.comfort(150000));
    Form1->SetActivePage(Form1->TabSheet4);
    Form1->RadioGroup4->SetItemIndex(0);
    settle(500);
    std::printf("\nCPU while following an unchanged 150,000-line Comfort.dat for 10.0 s: "
                "%.1f%% of one core\n",
                cpuPercentWhile(10));
}

// Saving the pictures and tables of the largest sets in every format: time and size.
void exportSection(const BenchData& data) {
    std::printf("\n### Export of the shown picture or table (file in the page cache)\n\n");
    std::printf("| %-58s | %9s | %-19s | size\n", "case", "median ms", "min - max ms");
    std::printf("|---|---|---|---|\n");
    const QString file = QDir::temp().filePath(QStringLiteral("tessaplot-bench-export"));
    const auto measure = [&](const char* what, GlPanel* panel) {
        const ExportTarget target = ExportTargetOf(panel);
        const struct {
            const char* name;
            PictureFormat format;
            int scale;
        } formats[] = {{"PNG 1x", PictureFormat::Png, 1},
                       {"PNG 2x", PictureFormat::Png, 2},
                       {"PNG 4x", PictureFormat::Png, 4},
                       {"SVG", PictureFormat::Svg, 1},
                       {"PDF", PictureFormat::Pdf, 1}};
        for (const auto& f : formats) {
            const Figure figure =
                Measure(3, [&] { SavePicture(target.picture, file, f.format, f.scale, nullptr); });
            row((std::string(what) + ", " + f.name).c_str(), figure,
                std::to_string(QFileInfo(file).size() / 1024) + " KiB");
        }
        const Figure csv = Measure(3, [&] {
            WriteWholeFile(file, QByteArray::fromStdString(CsvTable(target.header, target.columns)),
                           nullptr);
        });
        row((std::string(what) + ", CSV").c_str(), csv,
            std::to_string(QFileInfo(file).size() / 1024) + " KiB");
    };
    openDataSet(data.layer150000);
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    measure("Fabric layer of 150,000 records", Form1->Panel1);
    openDataSet(data.comfort(150000));
    Form1->SetActivePage(Form1->TabSheet4);
    Form1->RadioGroup4->SetItemIndex(0);
    settle(500);
    measure("Comfort chart of 150,000 lines", Form1->Panel16);
    QFile::remove(file);
}

int startupProbe() {
    QElapsedTimer clock;
    clock.start();
    if (!CreateForms())
        return 1;
    Form1->show();
    while (Form1->RedrawPending || !Form1->Panel1->hasContext())
        QTest::qWait(1);
    finish(Form1->Panel1);
    std::printf("%.1f\n", clock.nsecsElapsed() / 1e6);
    DestroyForms();
    return 0;
}

// Peak resident memory of this process image. getrusage's ru_maxrss would also count
// the parent's pages from before the exec, so the kernel's high-water mark is read.
double peakResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return -1;
}

int rssProbe(const char* directory) {
    if (!CreateForms())
        return 1;
    Form1->show();
    settle(200);
    openDataSet(directory);
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    settle(300);
    std::printf("%.1f\n", peakResidentMb());
    DestroyForms();
    return 0;
}

// One pointer move with no button held, handed to the panel as the window system's
// would be: the readout picks, words and places its label. What the window system
// and the compositor do after that is not ours and not timed.
void movePointer(GlPanel* panel, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), panel->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(panel, &move);
}

void pickSection(const BenchData& data) {
    std::printf("\n### Value under the pointer, per pointer move (label shown or hidden)\n\n");
    std::printf("| %-58s | %9s | %-19s | ratios\n", "case", "median ms", "min - max ms");
    std::printf("|---|---|---|---|\n");
    // Points spread over the picture, so each move asks another part of the grid.
    const auto sweep = [](GlPanel* panel) {
        return [panel, i = 0]() mutable {
            ++i;
            movePointer(panel, {20 + (i * 37) % std::max(panel->width() - 40, 1),
                                20 + (i * 53) % std::max(panel->height() - 40, 1)});
        };
    };
    // Onto the mesh's own vertices, so every move finds one and shows its label.
    const auto overVertices = [](GlPanel* panel) {
        return [panel, i = std::size_t{0}]() mutable {
            const std::vector<float>& v = Form1->fieldViewState->keptMesh.mesh.vertices;
            const std::size_t k = (++i * 7919) % (v.size() / 3);
            const WindowMapping& m = panel->shownMapping();
            const double ratio = panel->devicePixelRatioF();
            const double x = m.windowX(v[3 * k], v[3 * k + 1], v[3 * k + 2]) / ratio;
            const double y =
                (DeviceSize(panel).height() - m.windowY(v[3 * k], v[3 * k + 1], v[3 * k + 2])) /
                ratio;
            movePointer(panel, QPoint(static_cast<int>(x), static_cast<int>(y)));
        };
    };
    constexpr int kMoves = 201;
    openDataSet(data.layer150000);
    Form1->SetActivePage(Form1->TabSheet1);
    Form1->RadioGroup1->SetItemIndex(5);
    Form1->BitBtn1Click();
    // The window system's pointer over the panel, as a user's would be.
    QTest::mouseMove(Form1->Panel1, Form1->Panel1->rect().center());
    settle(200);
    row("Fabric layer of 150,000 records, one pointer move",
        Measure(kMoves, overVertices(Form1->Panel1)), "budget 2 ms");
    // The first move after a view step, the event loop having run between them as it
    // does for a user: the new view's grid was made in its idle slot.
    auto move = overVertices(Form1->Panel1);
    const auto step = [] {
        Form1->ToolButton6Click();
        settle(50);
    };
    row("Fabric 150,000 records, first move after a 'Left' step", Measure(kRuns, step, move),
        "grid made in the idle slot after the step");

    openDataSet(data.body150000);
    Form1->SetActivePage(Form1->TabSheet3);
    settle(200);
    Form1->RadioGroup3->SetItemIndex(0);
    Form1->BitBtn7Click();
    settle(200);
    row("BodyProperty.dat of 150,000 lines, one pointer move",
        Measure(kMoves, sweep(Form1->Panel8)), "budget 2 ms");

    openDataSet(data.comfort(150000));
    Form1->SetActivePage(Form1->TabSheet4);
    settle(300);
    Form1->RadioGroup4->Button(0)->click();
    do
        Form1->Timer2Timer();
    while (Form1->ComfortReadPending());
    settle(200);
    row("Comfort.dat of 150,000 lines, one pointer move", Measure(kMoves, sweep(Form1->Panel16)),
        "budget 2 ms");
}

void compareSection(const BenchData& data) {
    CompareSection(data.root);
}

} // namespace

int main(int argc, char** argv) {
    SetDefaultSurfaceFormat();
    QElapsedTimer sinceStart;
    sinceStart.start();
    TApplication app(argc, argv);
    if (argc >= 2 && std::string(argv[1]) == "--startup-probe")
        return startupProbe();
    if (argc >= 3 && std::string(argv[1]) == "--rss-probe")
        return rssProbe(argv[2]);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_report [--only SECTION] <data-directory>\n");
        return 2;
    }
    // "--only SECTION" runs one section (reading, redraw, draw, follow, comfort, export),
    // to profile it or to measure it again; "--export-only" is "--only export".
    std::string only;
    if (argc >= 3 && std::string(argv[1]) == "--export-only")
        only = "export";
    if (argc >= 4 && std::string(argv[1]) == "--only")
        only = argv[2];
    const BenchData data = makeData(argv[argc - 1]);
    const std::map<std::string, std::function<void(const BenchData&)>> sections = {
        {"redraw", redrawSection},
        {"draw", drawOnlySection},
        {"follow", followSection},
        {"comfort", comfortSection},
        {"export", exportSection},
        {"pick", pickSection},
        {"difference",
         [](const BenchData& d) { DifferenceSection(d.layer150000, d.root, openDataSet); }},
        {"compare", compareSection}};
    if (only.empty() || only == "reading")
        readingSection(data);
    if (only == "reading")
        return 0;
    if (!CreateForms())
        return 1;
    Form1->show();
    settle(300);
    for (const auto& name :
         {"redraw", "draw", "follow", "comfort", "export", "pick", "difference", "compare"})
        if (only.empty() || only == name)
            sections.at(name)(data);
    DestroyForms();
    if (!only.empty())
        return 0;

    std::vector<double> startups;
    for (int i = 0; i < 7; ++i) {
        QProcess probe;
        QElapsedTimer wall;
        wall.start();
        probe.start(QCoreApplication::applicationFilePath(), {"--startup-probe"});
        probe.waitForFinished(60000);
        startups.push_back(wall.nsecsElapsed() / 1e6);
    }
    std::sort(startups.begin(), startups.end());
    std::printf("\nStart-up to the first drawn frame (whole process, median of 7): %.0f ms "
                "(min %.0f, max %.0f)\n",
                startups[3], startups.front(), startups.back());

    QProcess rss;
    rss.start(QCoreApplication::applicationFilePath(),
              {"--rss-probe", QString::fromStdString(data.layer150000.string())});
    rss.waitForFinished(120000);
    std::printf("Peak resident memory with the 150,000-record layer shown: %s MB\n",
                rss.readAllStandardOutput().trimmed().constData());
    return 0;
}
