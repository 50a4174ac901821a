#pragma once

#include "dataset/FieldPoint.h"
#include "dataset/LineWindow.h"
#include "dataset/WorkerThread.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

// Which table is being read; chosen by the page the user is on, not by the file name.
enum class ReadingRules { Fabric, Fibers, BodyProperty };

struct FieldLoadRequest {
    ReadingRules rules = ReadingRules::BodyProperty;
    int dataColumn = 1;
    int layerIndex = -1; // Fabric only; -1 when no layer is selected (reads as the first)
    int layerCount = 1;  // Fabric only: layers per time step, from the layer count
    int layerLines = 6;  // Fabric only: lines of one layer block, from the layer count
};

// What one load found besides the records themselves (which go to the caller's store).
struct FieldLoad {
    bool opened = false;
    // Why the load gave no records when it failed (kind None when it did not).
    ReadProblem problem;
    int PointCount = 0;
    float TimeMin = 0, TimeMax = 0, TimeSpan = 1;
    float PositionMin = 0, PositionMax = 0, PositionSpan = 1;
    float ValueMin = 0, ValueMax = 0, ValueSpan = 1;
    float FirstPosition = -1;
    int PositionsPerStep = 0;
    bool PositionsPerStepFound = false;
    bool LeadingLinesSkipped = false;
    // Positions of the first time step in file order, for the position lists: the
    // records before the first position recurs (every record when it never does).
    std::vector<float> listedPositions;
};

// Reads a result table into `points` (cleared first; its capacity is reused and it
// grows as needed, so no record is ever dropped).
//
// Only lines that end with a line feed and hold at least one TAB are read. A last line
// without its line feed may still be being written by the simulation, so it waits for
// the next load. Empty lines and lines without a TAB are passed over as if absent: they
// neither make records nor count among the lines skipped between layer blocks.
//
// Fabric rules take six lines (one layer block) per time step: the blocks in front of
// the chosen layer are passed over once, then (layerCount - 1) * layerLines lines after
// every six records. Absurd layer figures only shorten the load, never overrun.
//
// The file is read through a window of bounded size, so memory grows with the records
// kept, not with the file. A file that cannot be read whole — absent, not a regular
// file, a read error, a line too long to be a table's, the records beyond the memory
// there is — gives opened == false, no records, and the problem.
//
// `progress`, when given, is told how far the read has come and may stop it.
FieldLoad LoadField(const std::string& path, const FieldLoadRequest& request,
                    std::vector<FieldPoint>& points, const ReadProgress& progress = {});

// The same with a caller-owned read window, for callers that keep one per table. Runs
// of `parallelFrom` bytes or more are converted on two threads, with the same result.
FieldLoad LoadField(const std::string& path, const FieldLoadRequest& request,
                    std::vector<FieldPoint>& points, LineWindow& window,
                    std::size_t parallelFrom = kParallelRunBytes);

// The same on a table already in memory (opened is true). A read of LoadField converts
// its runs of LineWindow::kRunBytes on two threads; here a text of `parallelFrom` bytes
// or more is, with the same result.
FieldLoad LoadFieldFromText(std::string_view text, const FieldLoadRequest& request,
                            std::vector<FieldPoint>& points,
                            std::size_t parallelFrom = kParallelRunBytes);

class FieldTableWalk;

// A load spread over several calls, each ending soon after its deadline, for a page
// that follows a running simulation: the window answers between the calls and no
// dialog is needed. The records go into the load's own store, which the caller takes
// (swaps with its own) once the load has ended; until then nothing of the caller's
// changes. The result is that of LoadField on the same file.
class SlicedFieldLoad {
public:
    using Clock = std::chrono::steady_clock;

    explicit SlicedFieldLoad(std::size_t windowBytes = LineWindow::kDefaultWindowBytes);
    ~SlicedFieldLoad();
    SlicedFieldLoad(const SlicedFieldLoad&) = delete;
    SlicedFieldLoad& operator=(const SlicedFieldLoad&) = delete;

    // Starts reading `path` anew (a load under way is dropped).
    void start(const std::string& path, const FieldLoadRequest& request);
    // Reads on, at least one run of lines, until `deadline`; true once the load has
    // ended (result() and points() then hold it), whether it succeeded or not.
    bool advance(Clock::time_point deadline);
    // A load was started and has not ended or been stopped.
    bool active() const { return m_active; }
    // Drops the load under way; the file is let go.
    void stop();

    const std::string& path() const { return m_path; }
    const FieldLoadRequest& request() const { return m_request; }
    FieldLoad& result() { return m_result; }
    std::vector<FieldPoint>& points() { return m_points; }

private:
    bool fail(const ReadProblem& problem);

    LineWindow m_window;
    WorkerThread m_worker;
    std::string m_path;
    FieldLoadRequest m_request;
    std::vector<FieldPoint> m_points;
    std::unique_ptr<FieldTableWalk> m_walk;
    FieldLoad m_result;
    bool m_active = false;
};

} // namespace tessaplot
