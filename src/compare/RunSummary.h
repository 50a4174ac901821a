#pragma once

#include "comfort/BandStatistics.h"
#include "compare/RunFigures.h"
#include "compare/SummaryEvidence.h"
#include "dataset/BodyQuantities.h"
#include "dataset/LineWindow.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace tessaplot {

// What the summary says of one result directory. A table that could not be read, or
// holds no records, gives no figures and its reason in `problem`; the other table's
// figures are given all the same.
struct SummarizedRun {
    std::string name; // the directory's name, made unique among the summarised runs
    std::string directory;
    bool comfortRead = false;
    // Thermal sensation, dampness sensation and comfort value, by ComfortQuantity: the
    // statistics the BodyComfort page's conclusions are made of.
    std::array<BandStatistics, 3> sensations{};
    bool bodyRead = false;
    int bodyRecords = 0;
    std::array<RunFigures, BodyQuantityCount> body{}; // as the BodyProperty page reads each column
    RunEvidence evidence;                             // with evidence asked for only
    std::string problem;                              // empty for a good run
};

// The storage one reader of runs reuses from run to run: one read window, so that
// memory stays the same however large the files and however many runs are read.
struct RunSummaryBuffers {
    LineWindow window;
};

// Reads Comfort.dat and BodyProperty.dat of `directory` (refused as Open refuses a
// directory without Fabrics.dat); the name is left to the caller.
SummarizedRun SummarizeRun(const std::string& directory, RunSummaryBuffers& buffers,
                           const SummaryEvidence& evidence = SummaryEvidence());

// The columns: Run, Directory, the whole time, per sensation its highest and lowest
// value and their times and the share of each band from the top of the scale down (the
// rounded shares the conclusions show), per body quantity lowest, highest, mean and
// final value, and Problem. With evidence, before Problem: per phase, whether the
// tables reach it and the same figures over it; per threshold, its first time, the time
// beyond it and the entries, over the whole time and each phase; per measured series, the
// points compared and outside the run, bias, SD, RMSE, largest |difference| and the share
// within its tolerance, over the whole time and each phase. Figures carry their units.
std::vector<std::string> RunSummaryHeader(const SummaryEvidence& evidence = SummaryEvidence());
// The fields of a run's row, one per header column; figures not read are empty, those of
// a phase a run does not reach "not reached".
std::vector<std::string> RunSummaryFields(const SummarizedRun& run,
                                          const SummaryEvidence& evidence = SummaryEvidence());

// Summarises `directories` on up to `threads` threads and hands each summary, named
// uniquely as compared runs are, to `emit` in the order given, from the calling
// thread. Only the runs being read at a time hold records.
void SummarizeRuns(const std::vector<std::string>& directories, unsigned threads,
                   const std::function<void(const SummarizedRun&)>& emit,
                   const SummaryEvidence& evidence = SummaryEvidence());

} // namespace tessaplot
