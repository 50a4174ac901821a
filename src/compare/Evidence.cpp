#include "compare/Evidence.h"

#include "dataset/FileIdentity.h"
#include "evidence/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tessaplot {

namespace {

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<std::optional<EvidenceQuantity>> matchesByHeader(const MeasuredTable& table) {
    std::vector<std::optional<EvidenceQuantity>> matches;
    matches.reserve(table.series.size());
    for (const MeasuredSeries& series : table.series)
        matches.push_back(MatchQuantityName(series.name));
    return matches;
}

bool sameTable(const MeasuredTable& a, const MeasuredTable& b) {
    const auto sameSeries = [](const MeasuredSeries& x, const MeasuredSeries& y) {
        // NaN deviations (empty cells) compare by their place, not their value.
        const auto sameDeviations = [&] {
            if (x.deviations.size() != y.deviations.size())
                return false;
            for (std::size_t i = 0; i < x.deviations.size(); ++i)
                if (!(x.deviations[i] == y.deviations[i] ||
                      (std::isnan(x.deviations[i]) && std::isnan(y.deviations[i]))))
                    return false;
            return true;
        };
        return x.name == y.name && x.column == y.column && x.deviationColumn == y.deviationColumn &&
               x.times == y.times && x.values == y.values && sameDeviations();
    };
    return a.timeHeader == b.timeHeader && a.problem.line == b.problem.line &&
           a.problem.column == b.problem.column && a.problem.message == b.problem.message &&
           std::equal(a.series.begin(), a.series.end(), b.series.begin(), b.series.end(),
                      sameSeries);
}

} // namespace

std::optional<std::string> Evidence::addMeasured(const std::string& path) {
    if (m_measured.size() >= MaxMeasuredFiles)
        return "At most " + std::to_string(MaxMeasuredFiles) + " measured files are shown.";
    if (std::any_of(m_measured.begin(), m_measured.end(),
                    [&](const MeasuredFile& file) { return file.path == path; }))
        return fileNameOf(path) + " is shown already.";
    MeasuredFile file;
    file.path = path;
    file.name = fileNameOf(path);
    file.identity = IdentifyFile(path);
    file.table = ReadMeasuredFile(path);
    if (!file.table.ok())
        return file.name + ": " + MeasuredProblemText(file.table.problem);
    file.matches = matchesByHeader(file.table);
    file.serial = ++m_serials;
    file.generation = 1;
    const std::span<const RunColour> colours = MeasuredColours();
    const auto free = std::find_if(colours.begin(), colours.end(), [&](const RunColour& colour) {
        return std::none_of(m_measured.begin(), m_measured.end(),
                            [&](const MeasuredFile& other) { return other.colour == colour; });
    });
    file.colour = free != colours.end() ? *free : colours.front();
    m_measured.push_back(std::move(file));
    changed();
    return std::nullopt;
}

void Evidence::removeMeasured(std::size_t index) {
    if (index >= m_measured.size())
        return;
    m_measured.erase(m_measured.begin() + static_cast<std::ptrdiff_t>(index));
    changed();
}

void Evidence::matchSeries(std::size_t file, std::size_t series,
                           std::optional<EvidenceQuantity> quantity) {
    if (file >= m_measured.size() || series >= m_measured[file].matches.size())
        return;
    m_measured[file].matches[series] = quantity;
    changed();
}

bool Evidence::followMeasured() {
    bool any = false;
    for (MeasuredFile& file : m_measured) {
        const FileIdentity now = IdentifyFile(file.path);
        if (FileSurelyUnchanged(file.identity, now))
            continue;
        MeasuredTable table = ReadMeasuredFile(file.path);
        file.identity = now;
        // A file written moments ago is never surely unchanged: only what it holds counts.
        if (sameTable(table, file.table))
            continue;
        // A column matched by hand stays matched while its header stays the same.
        std::vector<std::optional<EvidenceQuantity>> matches = matchesByHeader(table);
        for (std::size_t i = 0; i < table.series.size(); ++i)
            for (std::size_t j = 0; j < file.table.series.size(); ++j)
                if (file.table.series[j].name == table.series[i].name)
                    matches[i] = file.matches[j];
        file.table = std::move(table);
        file.matches = std::move(matches);
        ++file.generation;
        any = true;
    }
    if (any)
        changed();
    return any;
}

std::optional<std::string> Evidence::setPhases(std::string_view text) {
    if (TrimmedText(text).empty()) {
        m_phases.clear();
        changed();
        return std::nullopt;
    }
    PhaseList list = ParsePhases(text);
    if (!list.ok())
        return list.problem;
    m_phases = std::move(list.phases);
    changed();
    return std::nullopt;
}

std::optional<std::string> Evidence::setThresholds(const std::vector<std::string>& texts) {
    std::vector<Threshold> thresholds;
    std::vector<std::string> kept;
    for (const std::string& text : texts) {
        if (TrimmedText(text).empty())
            continue;
        ThresholdParse parse = ParseThreshold(text);
        if (!parse.threshold)
            return parse.problem;
        thresholds.push_back(*parse.threshold);
        kept.emplace_back(TrimmedText(text));
    }
    m_thresholds = std::move(thresholds);
    m_thresholdTexts = std::move(kept);
    changed();
    return std::nullopt;
}

std::optional<std::string> Evidence::setTolerances(const std::vector<std::string>& texts) {
    std::vector<Tolerance> tolerances;
    for (const std::string& text : texts) {
        if (TrimmedText(text).empty())
            continue;
        ToleranceParse parse = ParseTolerance(text);
        if (!parse.tolerance)
            return parse.problem;
        // A quantity named again takes its latest value.
        std::erase_if(tolerances,
                      [&](const Tolerance& t) { return t.quantity == parse.tolerance->quantity; });
        tolerances.push_back(*parse.tolerance);
    }
    m_tolerances = std::move(tolerances);
    changed();
    return std::nullopt;
}

std::optional<double> Evidence::toleranceOf(EvidenceQuantity quantity) const {
    for (const Tolerance& tolerance : m_tolerances)
        if (tolerance.quantity == quantity)
            return tolerance.value;
    return std::nullopt;
}

std::vector<std::uint64_t> Evidence::key() const {
    std::vector<std::uint64_t> key{m_changes, m_measured.size()};
    for (const MeasuredFile& file : m_measured)
        key.insert(key.end(), {file.serial, file.generation});
    return key;
}

std::vector<MatchedSeries> SeriesOf(const Evidence& evidence, EvidenceQuantity quantity) {
    std::vector<MatchedSeries> found;
    for (const MeasuredFile& file : evidence.measured())
        for (std::size_t i = 0; i < file.table.series.size() && i < file.matches.size(); ++i)
            if (file.matches[i] == quantity)
                found.push_back({&file, &file.table.series[i]});
    return found;
}

std::vector<Threshold> ThresholdsOn(const Evidence& evidence, EvidenceQuantity quantity) {
    std::vector<Threshold> found;
    for (const Threshold& threshold : evidence.thresholds())
        if (threshold.quantity == quantity)
            found.push_back(threshold);
    return found;
}

std::span<const RunColour> MeasuredColours() {
    // Apart from the runs' colours and the comfort chart's bands: magenta, navy, olive
    // and grey.
    static constexpr std::array<RunColour, Evidence::MaxMeasuredFiles> colours{{
        {0.90f, 0.00f, 0.55f},
        {0.10f, 0.10f, 0.45f},
        {0.45f, 0.45f, 0.00f},
        {0.35f, 0.35f, 0.35f},
    }};
    return colours;
}

} // namespace tessaplot
