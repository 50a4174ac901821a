#include "cli/SummaryRun.h"

#include "app/PathStrings.h"
#include "cli/CommandLine.h"
#include "compare/RunSummary.h"
#include "export/CsvTable.h"
#include "platform/FileSystem.h"

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace tessaplot {

namespace {

void print(const std::string& row) {
    std::fwrite(row.data(), 1, row.size(), stdout);
    // Each row as soon as it is known: a long summary shows its progress in a pipe.
    std::fflush(stdout);
}

// One line on the terminal, written over: the runs done of all and the run read next
// in the order given (the one the rows wait for); cleared when all are done.
void tellSummaryProgress(std::size_t done, const std::vector<std::string>& directories) {
    std::string line = "\r\033[K";
    if (done < directories.size())
        line += "plotvane --summary: " + std::to_string(done) + " of " +
                std::to_string(directories.size()) + " runs done, reading " + directories[done];
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace

int RunSummary(const CommandLine& line) {
    std::vector<std::string> directories;
    for (const QString& directory : line.summaryDirectories)
        directories.push_back(PathBytes(directory));
    print(CsvRow(RunSummaryHeader()));
    bool allRead = true;
    const unsigned cores = std::thread::hardware_concurrency();
    // Someone watching a long summary is told how far it is; a log or a pipe is not.
    const bool tellProgress = IsTerminal(stderr);
    std::size_t done = 0;
    if (tellProgress && !directories.empty())
        tellSummaryProgress(0, directories);
    SummarizeRuns(directories, cores == 0 ? 2 : cores, [&](const SummarizedRun& run) {
        allRead = allRead && run.problem.empty();
        print(CsvRow(RunSummaryFields(run)));
        if (tellProgress)
            tellSummaryProgress(++done, directories);
    });
    return allRead ? 0 : 1;
}

} // namespace tessaplot
