#include "comfort/ComfortReader.h"

#include "platform/FileSystem.h"
#include "text/DecimalConversion.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tessaplot {

namespace {

constexpr int valueTabCount = 9;

// Parses the complete lines of `text` and appends their records; returns the number of
// bytes taken, which ends right after the last line feed.
std::size_t appendComfortLines(std::string_view text, std::vector<ComfortRecord>& store) {
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

// The whole file in one read. The size is only a hint: the simulation may append while
// we read, and whatever has arrived by the end of the read is taken.
bool readWholeFile(const std::string& path, std::string& bytes) {
    std::uint64_t size = 0;
    std::FILE* file = OpenRegularFile(path, &size);
    if (!file)
        return false;
    std::size_t have = 0;
    bytes.resize(static_cast<std::size_t>(size) + 1);
    for (;;) {
        have += std::fread(bytes.data() + have, 1, bytes.size() - have, file);
        if (have < bytes.size())
            break;
        bytes.resize(bytes.size() * 2);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    bytes.resize(have);
    return !failed;
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
                                  std::string& buffer) {
    if (!readWholeFile(path, buffer)) {
        store.clear();
        return {};
    }
    return ReadComfortText(buffer, store);
}

ComfortFileReader::ComfortFileReader(std::size_t chunkSize)
    : chunkSize_(chunkSize > 0 ? chunkSize : 1), chunk_(chunkSize_, '\0') {}

void ComfortFileReader::makeRoom(std::size_t bytes) {
    if (bytes_.size() < bytes)
        bytes_.resize(std::max(bytes, 2 * bytes_.size()));
}

void ComfortFileReader::forget() {
    fileSize_ = 0;
    parsedBytes_ = 0;
    storeData_ = nullptr;
    storeSize_ = 0;
}

bool ComfortFileReader::loadFile(const std::string& path, std::size_t& confirmedBytes) {
    confirmedBytes = 0;
    std::uint64_t sizeHint = 0;
    std::FILE* file = OpenRegularFile(path, &sizeHint);
    if (!file)
        return false;
    // Reads go straight into our buffers: the stream's own buffer would copy every byte
    // once more.
    std::setvbuf(file, nullptr, _IONBF, 0);

    // While the file repeats the bytes already converted, it is read a chunk at a time
    // and only compared; the previous content stays where it is, unwritten.
    std::size_t have = 0;
    bool atEnd = false;
    bool same = true;
    while (same && have < parsedBytes_ && !atEnd) {
        const std::size_t got = std::fread(chunk_.data(), 1, chunk_.size(), file);
        atEnd = got < chunk_.size();
        const std::size_t compared = std::min(got, parsedBytes_ - have);
        same = std::memcmp(chunk_.data(), bytes_.data() + have, compared) == 0;
        const std::size_t keep = same ? compared : 0;
        confirmedBytes += keep;
        makeRoom(have + got);
        std::memcpy(bytes_.data() + have + keep, chunk_.data() + keep, got - keep);
        have += got;
    }
    // The rest straight into the buffer. The size is only a hint: the simulation may
    // append while we read, and whatever has arrived by the end of the read is taken.
    while (!atEnd) {
        makeRoom(std::max<std::size_t>(have + chunkSize_, static_cast<std::size_t>(sizeHint) + 1));
        const std::size_t room = bytes_.size() - have;
        const std::size_t got = std::fread(bytes_.data() + have, 1, room, file);
        have += got;
        atEnd = got < room;
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    fileSize_ = have;
    return !failed;
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
    identity_ = identity;
    identityPath_ = path;
    std::size_t confirmedBytes = 0;
    if (!loadFile(path, confirmedBytes)) {
        recordsUnchanged_ = lastReadFailed_ && store.empty();
        lastReadFailed_ = true;
        store.clear();
        forget();
        return {};
    }
    lastReadFailed_ = false;
    // Parsing is line by line, so the records of an unchanged prefix of complete lines
    // are the same whatever follows it.
    const bool prefixKept = confirmedBytes == parsedBytes_ && storeAsLeft;
    if (!prefixKept) {
        store.clear();
        parsedBytes_ = 0;
    }
    reserveStore(store);
    const std::size_t before = store.size();
    parsedBytes_ += appendComfortLines(
        std::string_view(bytes_.data() + parsedBytes_, fileSize_ - parsedBytes_), store);
    recordsUnchanged_ = prefixKept && store.size() == before;
    storeData_ = store.data();
    storeSize_ = store.size();
    return resultOf(store);
}

} // namespace tessaplot
