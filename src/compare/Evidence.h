#pragma once

#include "compare/RunColour.h"
#include "evidence/MeasuredTable.h"
#include "evidence/Phases.h"
#include "evidence/QuantityMatch.h"
#include "evidence/Thresholds.h"
#include "evidence/Tolerance.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

// A measured file laid beside the runs: its table as last read, the quantity each of
// its series stands for (by its header, or as the user matched it), and what is needed
// to follow it as the runs' tables are followed.
struct MeasuredFile {
    std::string path;
    std::string name; // the file's name, shown in legends and as its `Run` in CSV
    RunColour colour;
    MeasuredTable table;
    // One per series of `table`: the quantity it is laid against, none when unmatched.
    std::vector<std::optional<EvidenceQuantity>> matches;
    FileIdentity identity;
    std::uint64_t serial = 0;     // told apart from every other file added in this process
    std::uint64_t generation = 0; // moves with every reading of the table
};

// What the user laid beside the compared runs to judge them by: measured files,
// protocol phases, thresholds and tolerances. Nothing laid: every picture and table is
// as without it.
class Evidence {
public:
    static constexpr std::size_t MaxMeasuredFiles = 4;

    // Reads `path` and lays it beside the runs; the reason it was refused otherwise
    // ("line 3, column 2: ..."), nothing added then.
    std::optional<std::string> addMeasured(const std::string& path);
    void removeMeasured(std::size_t index);
    // Lays series `series` of file `file` against `quantity` (none: against nothing).
    void matchSeries(std::size_t file, std::size_t series,
                     std::optional<EvidenceQuantity> quantity);
    const std::vector<MeasuredFile>& measured() const { return m_measured; }

    // Reads the files again whose identity changed since; a file now refused keeps no
    // series (its problem says why). True when any table changed.
    bool followMeasured();

    // Each replaces what was there; the reason a text was refused otherwise, nothing
    // changed then. An empty text sets none.
    std::optional<std::string> setPhases(std::string_view text);
    std::optional<std::string> setThresholds(const std::vector<std::string>& texts);
    std::optional<std::string> setTolerances(const std::vector<std::string>& texts);

    const std::vector<Phase>& phases() const { return m_phases; }
    const std::vector<Threshold>& thresholds() const { return m_thresholds; }
    const std::vector<std::string>& thresholdTexts() const { return m_thresholdTexts; }
    const std::vector<Tolerance>& tolerances() const { return m_tolerances; }
    std::optional<double> toleranceOf(EvidenceQuantity quantity) const;
    bool empty() const { return m_measured.empty() && m_phases.empty() && m_thresholds.empty(); }

    // Equal keys, the same evidence: every change above moves it (a counter of changes,
    // never a sum that a removal could cancel).
    std::vector<std::uint64_t> key() const;

private:
    void changed() { ++m_changes; }

    std::vector<MeasuredFile> m_measured;
    std::vector<Phase> m_phases;
    std::vector<Threshold> m_thresholds;
    std::vector<std::string> m_thresholdTexts;
    std::vector<Tolerance> m_tolerances;
    std::uint64_t m_changes = 0;
    std::uint64_t m_serials = 0;
};

// A measured series laid against a quantity, with the file it is from.
struct MatchedSeries {
    const MeasuredFile* file = nullptr;
    const MeasuredSeries* series = nullptr;
};
std::vector<MatchedSeries> SeriesOf(const Evidence& evidence, EvidenceQuantity quantity);

// The thresholds on `quantity`, in order.
std::vector<Threshold> ThresholdsOn(const Evidence& evidence, EvidenceQuantity quantity);

// The colours of measured files, in order; none is a run's.
std::span<const RunColour> MeasuredColours();

} // namespace tessaplot
