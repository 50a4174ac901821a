#include "comfort/ComfortReader.h"

#include "text/DecimalConversion.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

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
        if (line.tabCount == valueTabCount)
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
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error); // fails for directories too
    if (error)
        return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
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

ComfortFileReader::ComfortFileReader() {
    reserveStore(records_);
}

ComfortReadResult ComfortFileReader::read(const std::string& path) {
    if (!readWholeFile(path, spare_)) {
        records_.clear();
        bytes_.clear();
        parsedBytes_ = 0;
        return {};
    }
    // Parsing is line by line, so records of an unchanged prefix of complete lines are
    // the same whatever follows it; anything else (truncated, rewritten) starts afresh.
    const bool prefixKept = spare_.size() >= parsedBytes_ &&
                            std::memcmp(spare_.data(), bytes_.data(), parsedBytes_) == 0;
    if (!prefixKept) {
        records_.clear();
        parsedBytes_ = 0;
    }
    parsedBytes_ += appendComfortLines(std::string_view(spare_).substr(parsedBytes_), records_);
    bytes_.swap(spare_);
    return resultOf(records_);
}

} // namespace tessaplot
