#pragma once

#include <cstring>
#include <string_view>

namespace tessaplot {

// Walks the records of a TAB-separated table: lines that end with a line feed and hold
// at least one TAB. A trailing line without line feed is treated as not yet written.
class TableLines {
public:
    explicit TableLines(std::string_view text) : pos(text.data()), end(text.data() + text.size()) {}

    // The next record line without its line feed; false at the end of the text.
    bool next(std::string_view& line) {
        while (pos != end) {
            const auto* feed = static_cast<const char*>(std::memchr(pos, '\n', end - pos));
            if (!feed) {
                pos = end;
                return false;
            }
            const char* start = pos;
            pos = feed + 1;
            if (std::memchr(start, '\t', feed - start)) {
                line = std::string_view(start, static_cast<std::size_t>(feed - start));
                return true;
            }
        }
        return false;
    }

    // Passes over up to `count` record lines; false when the text ended first.
    bool skip(long long count) {
        std::string_view line;
        for (; count > 0; --count) {
            if (!next(line))
                return false;
        }
        return true;
    }

    // Passes over up to `count` record lines; returns how many are still to be passed
    // over when the text ended first (0 when all were).
    long long skipSome(long long count) {
        std::string_view line;
        for (; count > 0; --count) {
            if (!next(line))
                return count;
        }
        return 0;
    }

    // Bytes consumed so far (for callers that read a file in pieces).
    const char* position() const { return pos; }

private:
    const char* pos;
    const char* end;
};

} // namespace tessaplot
