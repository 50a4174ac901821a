#include "cli/SummaryRun.h"

#include "app/PathStrings.h"
#include "cli/CommandLine.h"
#include "compare/RunSummary.h"
#include "export/CsvTable.h"

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

} // namespace

int RunSummary(const CommandLine& line) {
    std::vector<std::string> directories;
    for (const QString& directory : line.summaryDirectories)
        directories.push_back(PathBytes(directory));
    print(CsvRow(RunSummaryHeader()));
    bool allRead = true;
    const unsigned cores = std::thread::hardware_concurrency();
    SummarizeRuns(directories, cores == 0 ? 2 : cores, [&](const SummarizedRun& run) {
        allRead = allRead && run.problem.empty();
        print(CsvRow(RunSummaryFields(run)));
    });
    return allRead ? 0 : 1;
}

} // namespace tessaplot
