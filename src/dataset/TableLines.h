#pragma once

#include <bit>
#include <cstring>
#include <string_view>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TESSAPLOT_SCAN_SSE2 1
#endif

namespace tessaplot {

// The first `byte` in [p, end), or nullptr. Table fields and lines are short: sixteen
// bytes are compared at a time inline, where a library call would cost more than the
// scan itself.
inline const char* FindByte(const char* p, const char* end, char byte) {
#ifdef TESSAPLOT_SCAN_SSE2
    const __m128i wanted = _mm_set1_epi8(byte);
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted)));
        if (hits != 0)
            return p + std::countr_zero(hits);
    }
#endif
    return static_cast<const char*>(std::memchr(p, byte, static_cast<std::size_t>(end - p)));
}

// The line feed that ends the line starting at `p` (nullptr when there is none before
// `end`), and whether a TAB comes before it: one pass for both until the first TAB, which
// in a record comes within its first bytes; the rest of a long line is left to the
// library's wider search.
inline const char* FindLineEnd(const char* p, const char* end, bool& hasTab) {
    hasTab = false;
#ifdef TESSAPLOT_SCAN_SSE2
    const __m128i feed = _mm_set1_epi8('\n');
    const __m128i tab = _mm_set1_epi8('\t');
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto feeds = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, feed)));
        const auto tabs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, tab)));
        if (feeds != 0) {
            const int at = std::countr_zero(feeds);
            hasTab = (tabs & ((1u << at) - 1)) != 0;
            return p + at;
        }
        if (tabs != 0) {
            hasTab = true;
            return static_cast<const char*>(
                std::memchr(p + 16, '\n', static_cast<std::size_t>(end - p - 16)));
        }
    }
#endif
    const char* lineFeed = FindByte(p, end, '\n');
    if (lineFeed != nullptr)
        hasTab = FindByte(p, lineFeed, '\t') != nullptr;
    return lineFeed;
}

// Walks the records of a TAB-separated table: lines that end with a line feed and hold
// at least one TAB. A trailing line without line feed is treated as not yet written.
class TableLines {
public:
    explicit TableLines(std::string_view text) : pos(text.data()), end(text.data() + text.size()) {}

    // The next record line without its line feed; false at the end of the text.
    bool next(std::string_view& line) {
        while (pos != end) {
            bool hasTab = false;
            const char* feed = FindLineEnd(pos, end, hasTab);
            if (!feed) {
                pos = end;
                return false;
            }
            const char* start = pos;
            pos = feed + 1;
            if (hasTab) {
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
