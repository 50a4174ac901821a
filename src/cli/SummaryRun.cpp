#include "cli/SummaryRun.h"

#include "app/PathStrings.h"
#include "cli/CommandLine.h"
#include "compare/Comparison.h"
#include "compare/RunSummary.h"
#include "evidence/MeasuredTable.h"
#include "evidence/Tolerance.h"
#include "export/CsvTable.h"
#include "platform/FileSystem.h"

#include <cstdio>
#include <optional>
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

void tell(const std::string& message) {
    const std::string text = "plotvane: " + message + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
}

// The evidence the command line asks for; its texts were checked when it was parsed. A
// measured file that cannot be read or is refused is told and ends the summary before
// its first row; a column no quantity's name fits is told and left out.
std::optional<SummaryEvidence> evidenceOf(const CommandLine& line) {
    SummaryEvidence evidence;
    if (!line.phases.isEmpty())
        evidence.phases = ParsePhases(line.phases.toStdString()).phases;
    for (const QString& text : line.thresholds)
        evidence.thresholds.push_back(*ParseThreshold(text.toStdString()).threshold);
    std::vector<Tolerance> tolerances;
    for (const QString& text : line.tolerances)
        tolerances.push_back(*ParseTolerance(text.toStdString()).tolerance);
    std::vector<std::string> paths, names;
    for (const QString& file : line.measured) {
        paths.push_back(PathBytes(file));
        names.push_back(RunBaseName(paths.back()));
    }
    names = UniqueRunNames(names);
    for (std::size_t f = 0; f < paths.size(); ++f) {
        MeasuredTable table = ReadMeasuredFile(paths[f]);
        if (!table.ok()) {
            tell(paths[f] + ": " + MeasuredProblemText(table.problem));
            return std::nullopt;
        }
        for (MeasuredSeries& series : table.series) {
            const std::optional<EvidenceQuantity> quantity = MatchQuantityName(series.name);
            if (!quantity) {
                tell(paths[f] + ": column " + std::to_string(series.column) + " \"" + series.name +
                     "\" names no body quantity or sensation; left out");
                continue;
            }
            SummaryMeasuredSeries matched{names[f] + " " + series.name, *quantity,
                                          std::move(series.times), std::move(series.values),
                                          std::nullopt};
            for (const Tolerance& tolerance : tolerances)
                if (tolerance.quantity == *quantity)
                    matched.tolerance = tolerance.value;
            evidence.measured.push_back(std::move(matched));
        }
    }
    return evidence;
}

} // namespace

int RunSummary(const CommandLine& line) {
    const std::optional<SummaryEvidence> evidence = evidenceOf(line);
    if (!evidence)
        return 1;
    std::vector<std::string> directories;
    for (const QString& directory : line.summaryDirectories)
        directories.push_back(PathBytes(directory));
    print(CsvRow(RunSummaryHeader(*evidence)));
    bool allRead = true;
    const unsigned cores = std::thread::hardware_concurrency();
    // Someone watching a long summary is told how far it is; a log or a pipe is not.
    const bool tellProgress = IsTerminal(stderr);
    std::size_t done = 0;
    if (tellProgress && !directories.empty())
        tellSummaryProgress(0, directories);
    SummarizeRuns(
        directories, cores == 0 ? 2 : cores,
        [&](const SummarizedRun& run) {
            allRead = allRead && run.problem.empty();
            print(CsvRow(RunSummaryFields(run, *evidence)));
            if (tellProgress)
                tellSummaryProgress(++done, directories);
        },
        *evidence);
    return allRead ? 0 : 1;
}

} // namespace tessaplot
