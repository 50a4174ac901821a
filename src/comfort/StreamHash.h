#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tessaplot {

// A hash of a byte stream, the same however the stream is split into pieces: bytes are
// mixed in 32 at a time, as four 64-bit words into four lanes of their own (so that
// the processor works on the four at once), and up to 31 wait for the next piece. Fast
// enough to go over a whole table at every refresh. Not a defence against anyone: two
// different tables sharing a value by chance is as likely as a 64-bit coincidence.
class StreamHash {
public:
    void add(std::string_view bytes) {
        if (bytes.empty()) // its data may be null, which no memcpy may be given
            return;
        const char* p = bytes.data();
        std::size_t left = bytes.size();
        if (m_pendingBytes != 0) {
            const std::size_t taken = std::min(left, kBlock - m_pendingBytes);
            std::memcpy(m_pending.data() + m_pendingBytes, p, taken);
            m_pendingBytes += taken;
            p += taken;
            left -= taken;
            if (m_pendingBytes < kBlock)
                return;
            mixBlock(m_lanes, m_pending.data());
            m_pendingBytes = 0;
        }
        // The lanes stay in registers over the blocks: the bytes could alias them.
        std::array<std::uint64_t, 4> lanes = m_lanes;
        for (; left >= kBlock; p += kBlock, left -= kBlock)
            mixBlock(lanes, p);
        m_lanes = lanes;
        std::memcpy(m_pending.data(), p, left);
        m_pendingBytes = left;
    }

    bool operator==(const StreamHash& other) const {
        return m_lanes == other.m_lanes && m_pendingBytes == other.m_pendingBytes &&
               std::memcmp(m_pending.data(), other.m_pending.data(), m_pendingBytes) == 0;
    }

private:
    static constexpr std::size_t kBlock = 32;

    static void mixBlock(std::array<std::uint64_t, 4>& lanes, const char* block) {
        for (std::size_t lane = 0; lane < 4; ++lane) {
            std::uint64_t word;
            std::memcpy(&word, block + 8 * lane, 8);
            std::uint64_t& state = lanes[lane];
            state = (state ^ word) * 0x9E3779B97F4A7C15ULL;
            state ^= state >> 29;
        }
    }

    std::array<std::uint64_t, 4> m_lanes = {0x6A09E667F3BCC908ULL, 0xBB67AE8584CAA73BULL,
                                            0x3C6EF372FE94F82BULL, 0xA54FF53A5F1D36F1ULL};
    std::array<char, kBlock> m_pending{};
    std::size_t m_pendingBytes = 0;
};

} // namespace tessaplot
