#include "compare/Comparison.h"

#include "dataset/ResultFileListing.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <set>
#include <system_error>

namespace tessaplot {

namespace {

// Two names of one directory (a trailing '/', "..", a link) count as the same run.
std::string sameDirectoryKey(const std::string& directory) {
    std::error_code error;
    const std::filesystem::path canonical =
        std::filesystem::weakly_canonical(std::filesystem::path(directory), error);
    return error ? directory : canonical.generic_string();
}

} // namespace

const FieldLoad& RunTable::read(const std::string& path, const FieldLoadRequest& request) {
    if (const FieldLoad* kept = this->kept.reusable(path, request))
        return *kept;
    const FileIdentity identity = KeptFieldTable::IdentityBeforeRead(path);
    load = LoadField(path, request, points);
    if (!load.opened)
        points.clear();
    // A failed read is kept too, as what that version of the file gives (no records):
    // following then sees the file come back or change.
    this->kept.keep(path, request, identity, load);
    return load;
}

std::span<const FieldPoint> RunTable::records() const {
    const auto count = static_cast<std::size_t>(std::max(load.opened ? load.PointCount : 0, 0));
    return std::span<const FieldPoint>(points.data(), std::min(count, points.size()));
}

bool RunComfort::refresh(const std::string& path, ComfortFileReader::Clock::time_point deadline) {
    const ComfortReadResult result = reader.read(path, store, deadline);
    if (result.pending)
        return false;
    const bool changed = !reader.recordsUnchanged() || result.count != last.count ||
                         result.fileOpened != last.fileOpened;
    last = result;
    if (changed)
        ++generation;
    return changed;
}

std::span<const ComfortRecord> RunComfort::records() const {
    const auto count = static_cast<std::size_t>(std::max(last.count, 0));
    return std::span<const ComfortRecord>(store.data(), std::min(count, store.size()));
}

std::string ComparedRun::tablePath(const std::string& fileName) const {
    return RunFilePath(directory, fileName);
}

std::string RunFilePath(const std::string& directory, const std::string& fileName) {
    const std::string onDisk = OnDiskFileName(directory, fileName);
    std::string path = directory;
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += '/';
    return path + (onDisk.empty() ? fileName : onDisk);
}

void Comparison::setOpenedRun(const std::string& directory) {
    m_openedDirectory = directory;
    changed();
}

std::optional<std::string> Comparison::add(const std::string& directory) {
    if (!ListResultFiles(directory).hasFabrics)
        return std::string("Lack Of Data Files!");
    const std::string key = sameDirectoryKey(directory);
    if (!m_openedDirectory.empty() && sameDirectoryKey(m_openedDirectory) == key)
        return std::string("This is the opened run.");
    for (const auto& run : m_runs)
        if (sameDirectoryKey(run->directory) == key)
            return "This run is compared already, as " + run->name + ".";
    if (m_runs.size() + 1 >= MaxRuns)
        return "At most " + std::to_string(MaxRuns) + " runs can be compared.";

    static std::uint64_t serials = 0;
    auto run = std::make_unique<ComparedRun>();
    run->directory = directory;
    run->serial = ++serials;
    const std::span<const RunColour> colours = ComparedRunColours();
    const auto taken = [this](const RunColour& colour) {
        return std::any_of(m_runs.begin(), m_runs.end(),
                           [&](const auto& other) { return other->colour == colour; });
    };
    const auto free = std::find_if(colours.begin(), colours.end(),
                                   [&](const RunColour& colour) { return !taken(colour); });
    run->colour = free != colours.end() ? *free : colours.front();
    m_runs.push_back(std::move(run));
    changed();
    return std::nullopt;
}

void Comparison::remove(std::size_t index) {
    if (index >= m_runs.size())
        return;
    m_runs.erase(m_runs.begin() + static_cast<std::ptrdiff_t>(index));
    changed();
}

void Comparison::clear() {
    if (m_runs.empty())
        return;
    m_runs.clear();
    changed();
}

ComparedRun* Comparison::find(const std::string& name) {
    for (const auto& run : m_runs)
        if (run->name == name)
            return run.get();
    return nullptr;
}

void Comparison::subscribe(std::function<void()> listener) {
    m_listeners.push_back(std::move(listener));
}

ComparedRun* Comparison::findSerial(std::uint64_t serial) {
    for (const auto& run : m_runs)
        if (run->serial == serial)
            return run.get();
    return nullptr;
}

std::vector<std::uint64_t> ComparisonKey(const Comparison& comparison, RunRecords table) {
    std::vector<std::uint64_t> key{comparison.generation()};
    for (std::size_t i = 0; i < comparison.size(); ++i) {
        const ComparedRun& run = comparison.run(i);
        const std::uint64_t records = table == RunRecords::Comfort ? run.comfort.generation
                                      : table == RunRecords::Body  ? run.bodyTable.generation()
                                                                   : run.fieldTable.generation();
        key.insert(key.end(), {run.serial, records});
    }
    return key;
}

void Comparison::changed() {
    nameRuns();
    ++m_generation;
    for (const auto& listener : m_listeners)
        listener();
}

void Comparison::nameRuns() {
    std::vector<std::string> bases{RunBaseName(m_openedDirectory)};
    for (const auto& run : m_runs)
        bases.push_back(RunBaseName(run->directory));
    const std::vector<std::string> names = UniqueRunNames(bases);
    m_openedName = m_openedDirectory.empty() ? std::string() : names[0];
    for (std::size_t i = 0; i < m_runs.size(); ++i)
        m_runs[i]->name = names[i + 1];
}

std::string RunBaseName(const std::string& directory) {
    std::string trimmed = directory;
    while (trimmed.size() > 1 && (trimmed.back() == '/' || trimmed.back() == '\\'))
        trimmed.pop_back();
    const std::size_t slash = trimmed.find_last_of("/\\");
    std::string base = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    if (base.empty() || base == "/" || base == "\\" || base.back() == ':')
        return "run";
    return base;
}

std::vector<std::string> UniqueRunNames(const std::vector<std::string>& baseNames) {
    std::set<std::string> taken;
    std::vector<std::string> names;
    names.reserve(baseNames.size());
    for (const std::string& base : baseNames) {
        std::string name = base;
        for (int k = 2; taken.count(name) != 0; ++k)
            name = base + " (" + std::to_string(k) + ")";
        taken.insert(name);
        names.push_back(name);
    }
    return names;
}

std::span<const RunColour> ComparedRunColours() {
    // Dark enough for a 1-pixel line on white and on the comfort chart's stripes, and
    // told apart from each other and from the opened run's black. Purple comes first:
    // no band of the comfort chart has its hue. Red comes last: the opened run's curve
    // is red on BodyProperty and in the 2D section.
    static constexpr std::array<RunColour, Comparison::MaxRuns - 1> colours{{
        {0.55f, 0.00f, 0.65f}, // purple
        {0.00f, 0.35f, 0.85f}, // blue
        {0.00f, 0.55f, 0.00f}, // green
        {0.85f, 0.45f, 0.00f}, // orange
        {0.00f, 0.55f, 0.60f}, // teal
        {0.55f, 0.35f, 0.10f}, // brown
        {0.85f, 0.10f, 0.10f}, // red
    }};
    return colours;
}

} // namespace tessaplot
