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
    storeData_ = nullptr;
    storeSize_ = 0;
}

// Reads the file from its start. While the store holds what the last read left, the
// bytes already converted are only hashed; when they all come back unchanged, just what
// follows them is converted. Anything else is converted anew from a second opening.
bool ComfortFileReader::readLines(const std::string& path, std::vector<ComfortRecord>& store,
                                  bool storeAsLeft) {
    if (!window_.open(path))
        return false;
    std::uint64_t offset = 0;
    std::string_view rest;
    bool kept = storeAsLeft;
    if (kept) {
        StreamHash hash;
        std::string_view run;
        while (offset < parsedBytes_ && window_.next(run)) {
            const std::size_t inPrefix = static_cast<std::size_t>(
                std::min<std::uint64_t>(run.size(), parsedBytes_ - offset));
            hash.add(run.substr(0, inPrefix));
            offset += run.size();
            rest = run.substr(inPrefix);
        }
        if (window_.problem().failed())
            return false;
        kept = offset >= parsedBytes_ && hash == prefixHash_;
    }
    if (!kept) {
        store.clear();
        parsedBytes_ = 0;
        prefixHash_ = {};
        rest = {};
        if (offset > 0 && !window_.open(path))
            return false;
    }
    prefixKept_ = kept;
    reserveStore(store);
    const auto convert = [&](std::string_view text) {
        const std::size_t used = appendComfortLines(text, store);
        prefixHash_.add(text.substr(0, used));
        parsedBytes_ += used;
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
