#pragma once

#include "comfort/ComfortReader.h"
#include "comfort/ComfortRecord.h"
#include "compare/DifferenceChoice.h"
#include "compare/Evidence.h"
#include "compare/RunColour.h"
#include "dataset/FieldLoader.h"
#include "dataset/KeptFieldTable.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessaplot {

// One field table of a run (a layer's Fabrics.dat, a fibre file, BodyProperty.dat),
// kept while its file is surely unchanged, as the opened run's store is.
struct RunTable {
    KeptFieldTable kept;
    std::vector<FieldPoint> points;
    FieldLoad load;

    // Reads `path` by `request` unless the kept records are exactly that table and its
    // file is surely unchanged. A failed read leaves no records (load.opened false, the
    // problem in load.problem): nothing of another version or table stays.
    const FieldLoad& read(const std::string& path, const FieldLoadRequest& request);
    std::span<const FieldPoint> records() const;
    // Counts the fillings of `points`: anything built from them is stale once it moved.
    std::uint64_t generation() const { return kept.generation(); }
};

// Comfort.dat of a run, followed as the opened run's is.
struct RunComfort {
    ComfortFileReader reader;
    std::vector<ComfortRecord> store;
    // The last read that ended: its records are store[0 .. last.count).
    ComfortReadResult last;
    std::uint64_t generation = 0; // moves whenever the records may have changed

    // Reads on until `deadline`; true when the shown records changed.
    bool refresh(const std::string& path, ComfortFileReader::Clock::time_point deadline =
                                              ComfortFileReader::Clock::time_point::max());
    std::span<const ComfortRecord> records() const;
};

// A result directory compared with the opened one.
struct ComparedRun {
    std::string name;      // the directory's name, unique among the runs
    std::string directory; // as the platform's file calls take it (UTF-8)
    RunColour colour;
    RunComfort comfort;
    RunTable bodyTable;  // BodyProperty.dat
    RunTable fieldTable; // the Fabric or Fibers table last asked for
    // Told apart from every other run made in this process, for what is kept of it
    // elsewhere (a run added after another was removed is not that one).
    std::uint64_t serial = 0;

    // The path of a table of this run, named as the opened run's is (the name on disk
    // when it differs only in letter case).
    std::string tablePath(const std::string& fileName) const;
};

// The opened run (run 0, whose state stays in the main window) and the runs compared
// with it, at most MaxRuns in all. Nothing compared: every picture is the original's.
class Comparison {
public:
    static constexpr std::size_t MaxRuns = 8;
    // The opened run keeps the original's black curves.
    static constexpr RunColour OpenedColour{0.0f, 0.0f, 0.0f};

    // The directory the chooser's "Open" opened ("" before any).
    void setOpenedRun(const std::string& directory);
    const std::string& openedDirectory() const { return m_openedDirectory; }
    const std::string& openedName() const { return m_openedName; }

    // Adds `directory`; the reason it was refused otherwise ("Lack Of Data Files!" for a
    // directory without Fabrics.dat, as Open says; a run already compared; too many).
    std::optional<std::string> add(const std::string& directory);
    void remove(std::size_t index);
    void clear();

    bool empty() const { return m_runs.empty(); }
    std::size_t size() const { return m_runs.size(); }
    ComparedRun& run(std::size_t index) { return *m_runs[index]; }
    const ComparedRun& run(std::size_t index) const { return *m_runs[index]; }
    // The compared run of that name, or nullptr.
    ComparedRun* find(const std::string& name);
    // The compared run made with that serial, or nullptr once it was removed.
    ComparedRun* findSerial(std::uint64_t serial);

    // Moves whenever a run was added or removed or the opened run changed.
    std::uint64_t generation() const { return m_generation; }
    // Called after every such change (the windows that show the runs listen).
    void subscribe(std::function<void()> listener);

    // The compared run the Fabric and Fibers meshes show the difference from, if any.
    DifferenceChoice difference;
    // Measured data, protocol phases, thresholds and tolerances the runs are judged by.
    Evidence evidence;

private:
    void changed();
    void nameRuns();

    std::string m_openedDirectory;
    std::string m_openedName;
    std::vector<std::unique_ptr<ComparedRun>> m_runs;
    std::uint64_t m_generation = 0;
    std::vector<std::function<void()>> m_listeners;
};

// What the runs' pictures of `table` (the comfort records, BodyProperty.dat or the
// field table) are drawn from: which runs are compared under which names, and each
// one's serial and the filling of its records. Equal keys, the same picture; any
// change of a run or its records changes the key (a sum of such numbers would not: a
// removed run takes away what another's growth added).
enum class RunRecords { Comfort, Body, Field };
std::vector<std::uint64_t> ComparisonKey(const Comparison& comparison, RunRecords table);

// The path of a table of the run in `directory`, as ComparedRun::tablePath gives it.
std::string RunFilePath(const std::string& directory, const std::string& fileName);

// The name a run is shown under: the directory's last part ("run" for a root).
std::string RunBaseName(const std::string& directory);

// Unique names for runs in order: the first of a base name keeps it, later ones get
// " (2)", " (3)", ... (the smallest not yet taken).
std::vector<std::string> UniqueRunNames(const std::vector<std::string>& baseNames);

// The colours given to compared runs, in order; each new run takes the first not in use.
std::span<const RunColour> ComparedRunColours();

} // namespace tessaplot
