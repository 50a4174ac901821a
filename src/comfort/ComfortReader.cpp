#include "comfort/ComfortReader.h"

#include "text/DecimalConversion.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace tessaplot {

namespace {

constexpr int valueTabCount = 9;

// Parses the complete lines of `text` and appends their records; returns the number of
// bytes taken, which ends right after the last line feed.
std::size_t appendComfortLines(std::string_view text, std::vector<ComfortRecord>& store) {
    if (text.empty())
        return 0;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const bool mayHoldNul = std::memchr(begin, '\0', text.size()) != nullptr;
    const char* p = begin;
    while (p != end) {
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
        if (!lf)
            break;
        const char* lineEnd = lf;
        if (mayHoldNul) {
            if (const auto* nul = static_cast<const char*>(std::memchr(p, '\0', lf - p)))
                lineEnd = nul;
        }
        ComfortRecord record{};
        const auto line = ParseComfortLine(std::string_view(p, lineEnd - p), record);
        if (line.tabCount >= valueTabCount)
            store.push_back(record);
        p = lf + 1;
    }
    return static_cast<std::size_t>(p - begin);
}

ComfortReadResult resultOf(const std::vector<ComfortRecord>& store) {
    ComfortReadResult result;
    result.fileOpened = true;
    result.count = static_cast<int>(store.size());
    result.endTime = store.empty() ? 0.0f : store.back().Time;
    return result;
}

void reserveStore(std::vector<ComfortRecord>& store) {
    if (store.capacity() < static_cast<std::size_t>(ComfortStoreCapacity))
        store.reserve(ComfortStoreCapacity);
}

} // namespace

ComfortLineFields ParseComfortLine(std::string_view line, ComfortRecord& record) {
    if (const auto nul = line.find('\0'); nul != std::string_view::npos)
        line = line.substr(0, nul);
    ComfortLineFields result;
    const char* p = line.data();
    const char* const end = p + line.size();
    while (const auto* tab = static_cast<const char*>(std::memchr(p, '\t', end - p))) {
        const std::string_view token(p, tab - p);
        switch (result.tabCount) {
        case 0:
            record.Time = ParseDecimal(token);
            result.fields |= ComfortFieldTime;
            break;
        case 7:
            record.ThermalSensation = ParseDecimal(token);
            result.fields |= ComfortFieldThermalSensation;
            break;
        case 8:
            record.DampnessSensation = ParseDecimal(token);
            result.fields |= ComfortFieldDampnessSensation;
            break;
        case 9: // column 9 closed by a TAB of its own: its value is there all the same
            record.ComfortValue = ParseDecimal(token);
            result.fields |= ComfortFieldComfortValue;
            break;
        default:
            break;
        }
        ++result.tabCount;
        p = tab + 1;
    }
    if (result.tabCount == valueTabCount) {
        record.ComfortValue = ParseDecimal(std::string_view(p, end - p));
        result.fields |= ComfortFieldComfortValue;
    }
    return result;
}

ComfortReadResult ReadComfortText(std::string_view text, std::vector<ComfortRecord>& store) {
    reserveStore(store);
    store.clear();
    appendComfortLines(text, store);
    return resultOf(store);
}

ComfortReadResult ReadComfortFile(const std::string& path, std::vector<ComfortRecord>& store,
                                  LineWindow& window) {
    store.clear();
    if (!window.open(path))
        return {};
    try {
        reserveStore(store);
        std::string_view run;
        while (window.next(run))
            appendComfortLines(run, store);
    } catch (const std::bad_alloc&) {
        window.close();
        store.clear();
        return {};
    }
    if (window.problem().failed()) {
        store.clear();
        return {};
    }
    return resultOf(store);
}

ComfortFileReader::ComfortFileReader(std::size_t windowBytes) : window_(windowBytes) {}

void ComfortFileReader::forget() {
    parsedBytes_ = 0;
    prefixHash_ = {};
    checkpoints_.clear();
    storeData_ = nullptr;
    storeSize_ = 0;
}

namespace {

constexpr std::uint64_t kCheckpointBytes = 1u << 20;

} // namespace

// Reads the file from its start. While the store holds what the last read left, the
// bytes already converted are only hashed, and compared at every checkpoint; when they
// all come back unchanged, just what follows them is converted. At the first
// checkpoint that differs, the records after the one before it are dropped and the file
// is converted from there.
bool ComfortFileReader::readLines(const std::string& path, std::vector<ComfortRecord>& store,
                                  bool storeAsLeft) {
    if (!window_.open(path))
        return false;
    std::string_view rest;
    bool kept = false;
    if (storeAsLeft) {
        StreamHash hash;
        std::uint64_t offset = 0; // where the current run starts in the file
        std::size_t verified = 0; // checkpoints found to hold
        std::string_view run;     // the current run, whole
        bool same = true;
        while (same && offset < parsedBytes_ && window_.next(run)) {
            const std::size_t inPrefix = static_cast<std::size_t>(
                std::min<std::uint64_t>(run.size(), parsedBytes_ - offset));
            std::size_t hashed = 0;
            while (same && verified < checkpoints_.size() &&
                   checkpoints_[verified].bytes <= offset + inPrefix) {
                const auto upTo = static_cast<std::size_t>(checkpoints_[verified].bytes - offset);
                hash.add(run.substr(hashed, upTo - hashed));
                hashed = upTo;
                same = hash == checkpoints_[verified].hash;
                verified += same ? 1 : 0;
            }
            if (!same)
                break;
            hash.add(run.substr(hashed, inPrefix - hashed));
            rest = run.substr(inPrefix);
            offset += run.size();
        }
        if (window_.problem().failed())
            return false;
        kept = same && offset >= parsedBytes_ && hash == prefixHash_;
        if (!kept) {
            // Back to the last checkpoint that held, or to the start: within the run
            // at hand when it is there, else read again from it.
            checkpoints_.resize(verified);
            const Checkpoint from =
                verified > 0 ? checkpoints_.back() : Checkpoint{0, StreamHash{}, 0};
            store.resize(std::min(store.size(), from.records));
            parsedBytes_ = from.bytes;
            prefixHash_ = from.hash;
            const bool inRun = !same && from.bytes >= offset;
            rest = inRun ? run.substr(static_cast<std::size_t>(from.bytes - offset))
                         : std::string_view{};
            if (!inRun && !window_.open(path, from.bytes))
                return false;
        }
    } else {
        store.clear();
        parsedBytes_ = 0;
        prefixHash_ = {};
        checkpoints_.clear();
    }
    prefixKept_ = kept;
    reserveStore(store);
    const auto convert = [&](std::string_view text) {
        const std::size_t used = appendComfortLines(text, store);
        prefixHash_.add(text.substr(0, used));
        parsedBytes_ += used;
        const std::uint64_t last = checkpoints_.empty() ? 0 : checkpoints_.back().bytes;
        if (parsedBytes_ - last >= kCheckpointBytes)
            checkpoints_.push_back({parsedBytes_, prefixHash_, store.size()});
    };
    convert(rest);
    std::string_view run;
    while (window_.next(run))
        convert(run);
    return !window_.problem().failed();
}

ComfortReadResult ComfortFileReader::read(const std::string& path,
                                          std::vector<ComfortRecord>& store) {
    const bool storeAsLeft = store.data() == storeData_ && store.size() == storeSize_;
    // Taken before the bytes are read: a write during the read moves it, and the next
    // read then looks at the bytes again.
    const FileIdentity identity = IdentifyFile(path);
    if (storeAsLeft && !lastReadFailed_ && path == identityPath_ &&
        FileSurelyUnchanged(identity_, identity)) {
        recordsUnchanged_ = true;
        return resultOf(store);
    }
    // A file found to be no table is not read again, tick after tick, while it surely
    // stays as it was.
    const bool noTable = problem_.kind == ReadProblem::Kind::NoLineEnd ||
                         problem_.kind == ReadProblem::Kind::LongLine;
    if (lastReadFailed_ && noTable && store.empty() && path == identityPath_ &&
        FileSurelyUnchanged(identity_, identity)) {
        recordsUnchanged_ = true;
        return {};
    }
    identity_ = identity;
    const std::size_t before = store.size();
    bool done = false;
    try {
        identityPath_ = path;
        done = readLines(path, store, storeAsLeft);
        problem_ = done ? ReadProblem{} : window_.problem();
    } catch (const std::bad_alloc&) {
        problem_ = {ReadProblem::Kind::OutOfMemory, 0, window_.bytesRead(), window_.sizeHint(), 0};
        window_.close();
    }
    if (!done) {
        recordsUnchanged_ = lastReadFailed_ && store.empty();
        lastReadFailed_ = true;
        store.clear();
        forget();
        return {};
    }
    lastReadFailed_ = false;
    recordsUnchanged_ = prefixKept_ && store.size() == before;
    storeData_ = store.data();
    storeSize_ = store.size();
    return resultOf(store);
}

} // namespace tessaplot
