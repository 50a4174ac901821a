// The summary of a parameter study: `plotvane --summary` over 100 generated runs, each
// a 150,000-line Comfort.dat and a 150,000-line BodyProperty.dat, run as a user runs
// it (a child process, whose peak memory the system reports), set against reading the
// same files with the single-run readers one after another.
//   summary_bench <plotvane> <data-directory>   (runs are generated there when missing)
#include "SampleData.h"
#include "Timing.h"

#include "comfort/ComfortReader.h"
#include "compare/RunSummary.h"
#include "dataset/FieldLoader.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace tessaplot;
using namespace tessaplot::bench;

namespace {

constexpr int kRunCount = 100;
constexpr int kLines = 150000;

// Half the runs with the membrane shell, every run its own noise: no two files alike.
std::vector<std::string> summaryRuns(const fs::path& data) {
    const fs::path root = data / "summary-runs";
    std::vector<std::string> directories;
    for (int i = 0; i < kRunCount; ++i)
        directories.push_back((root / ("run-" + std::to_string(1000 + i).substr(1))).string());
    if (fs::exists(root / "complete"))
        return directories;
    std::fprintf(stderr, "generating %d runs under %s ...\n", kRunCount, root.string().c_str());
    std::atomic<int> next{0};
    const auto write = [&] {
        for (int i; (i = next++) < kRunCount;) {
            sample::DataSetOptions options;
            options.seed = static_cast<std::uint64_t>(i + 1);
            options.membraneShell = i % 2 == 1;
            options.timeSteps = 1;
            const fs::path dir = directories[static_cast<std::size_t>(i)];
            fs::create_directories(dir);
            bool ok = sample::WriteTextFile(dir / "Fabrics.dat", sample::FabricsTable(options));
            options.timeSteps = kLines;
            options.comfortLines = kLines;
            ok = ok &&
                 sample::WriteTextFile(dir / "BodyProperty.dat",
                                       sample::BodyPropertyTable(options)) &&
                 sample::WriteTextFile(dir / "Comfort.dat", sample::ComfortTable(options));
            if (!ok)
                std::fprintf(stderr, "cannot write %s\n", dir.string().c_str());
        }
    };
    std::thread helper(write);
    write();
    helper.join();
    sample::WriteTextFile(root / "complete", "");
    return directories;
}

struct ChildRun {
    double ms = 0;
    long maxRssKb = 0;
    double cpuSeconds = 0; // user and system time of all its threads
    int status = -1;
};

// The program as a user starts it, its rows written to `rows`.
ChildRun runChild(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& rows) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(rows.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    ChildRun run;
    int status = 0;
    rusage usage{};
    if (child > 0 && wait4(child, &status, 0, &usage) == child) {
        run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
        run.maxRssKb = usage.ru_maxrss;
        const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
        run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return run;
}

void row(const char* what, const Figure& f, const std::string& note = {}) {
    std::printf("| %-58s | %9.0f | %8.0f - %-8.0f | %s\n", what, f.median, f.min, f.max,
                note.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: summary_bench <plotvane> <data-directory>\n");
        return 2;
    }
    const std::string program = argv[1];
    const std::vector<std::string> runs = summaryRuns(argv[2]);

    std::printf("\n--summary of %d runs, each a %d-line Comfort.dat and BodyProperty.dat "
                "(%u cores)\n",
                kRunCount, kLines, std::thread::hardware_concurrency());
    std::printf("| %-58s | %9s | %-19s | %s\n", "what", "median ms", "min - max ms", "note");

    std::vector<std::string> arguments{"--summary"};
    arguments.insert(arguments.end(), runs.begin(), runs.end());
    const std::string rowsFile = (fs::path(argv[2]) / "summary-rows.csv").string();
    long peakKb = 0;
    double cpuSeconds = 0;
    bool allGood = true;
    const Figure summary = Measure(3, [&] {
        const ChildRun run = runChild(program, arguments, rowsFile);
        peakKb = std::max(peakKb, run.maxRssKb);
        cpuSeconds = run.cpuSeconds; // the last run's
        allGood = allGood && run.status == 0;
    });

    // The single-run readers, one file after another on one thread.
    std::vector<ComfortRecord> comfort;
    std::vector<FieldPoint> points;
    LineWindow window;
    const Figure sequential = Measure(3, [&] {
        for (const std::string& run : runs) {
            ReadComfortFile(run + "/Comfort.dat", comfort, window);
            LoadField(run + "/BodyProperty.dat", {ReadingRules::BodyProperty, 1}, points, window);
        }
    });
    const Figure oneThread =
        Measure(1, [&] { SummarizeRuns(runs, 1, [](const SummarizedRun&) {}); });

    char note[200];
    std::ifstream rows(rowsFile, std::ios::binary);
    const long lines = std::count(std::istreambuf_iterator<char>(rows), {}, '\n');
    // CPU time tells the cost when other work shares the cores; wall time, the wait.
    std::snprintf(note, sizeof note,
                  "peak RSS %.1f MB, CPU %.1f s, exit %s, %ld rows; %.2fx of the readers in turn",
                  peakKb / 1024.0, cpuSeconds, allGood ? "0" : "not 0", lines - 1,
                  summary.median / sequential.median);
    row("plotvane --summary, 100 runs (child process)", summary, note);
    row("ReadComfortFile + LoadField, the same files in turn", sequential);
    std::snprintf(note, sizeof note, "every column of BodyProperty.dat; %.2fx of the readers",
                  oneThread.median / sequential.median);
    row("the summary's own reading on one thread", oneThread, note);

    // The same runs with evidence: three phases, two thresholds, the sample's trial.
    const std::string trial = (fs::path(argv[2]) / "summary-trial.csv").string();
    sample::WriteTextFile(trial, sample::MeasuredDataTable(sample::DataSetOptions()));
    std::vector<std::string> withEvidence{"--summary",
                                          "--measured",
                                          trial,
                                          "--phases",
                                          "Rest:0-30,Exercise:30-90,Recovery:90-180",
                                          "--threshold",
                                          "temperature of core>=37.2",
                                          "--threshold",
                                          "Comfort Value<30",
                                          "--tolerance",
                                          "temperature of core=0.3"};
    withEvidence.insert(withEvidence.end(), runs.begin(), runs.end());
    long evidencePeakKb = 0;
    const Figure evidence = Measure(3, [&] {
        const ChildRun run = runChild(program, withEvidence, rowsFile);
        evidencePeakKb = std::max(evidencePeakKb, run.maxRssKb);
        allGood = allGood && run.status == 0;
    });
    std::snprintf(note, sizeof note, "peak RSS %.1f MB; %.2fx of the plain summary",
                  evidencePeakKb / 1024.0, evidence.median / summary.median);
    row("the same with 3 phases, 2 thresholds, 1 measured file", evidence, note);
    return allGood ? 0 : 1;
}
