#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace tessaplot {

// A 64-bit hash of a byte stream, the same however the stream is split into pieces:
// bytes are mixed in eight at a time, and up to seven wait for the next piece. Fast
// enough to go over a whole table at every refresh (one multiply per eight bytes). Not
// a defence against anyone: two different tables sharing a value by chance is as
// likely as a 64-bit coincidence.
class StreamHash {
public:
    void add(std::string_view bytes) {
        const char* p = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0 && m_pendingBytes != 0) {
            take(static_cast<unsigned char>(*p++));
            --left;
        }
        for (; left >= 8; p += 8, left -= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            mix(word);
        }
        for (; left > 0; --left)
            take(static_cast<unsigned char>(*p++));
    }

    bool operator==(const StreamHash&) const = default;

private:
    void take(unsigned char byte) {
        m_pending |= static_cast<std::uint64_t>(byte) << (8 * m_pendingBytes);
        if (++m_pendingBytes == 8) {
            mix(m_pending);
            m_pending = 0;
            m_pendingBytes = 0;
        }
    }
    void mix(std::uint64_t word) {
        m_state = (m_state ^ word) * 0x9E3779B97F4A7C15ULL;
        m_state ^= m_state >> 29;
    }

    std::uint64_t m_state = 0x6A09E667F3BCC908ULL;
    std::uint64_t m_pending = 0;
    unsigned m_pendingBytes = 0;
};

} // namespace tessaplot
