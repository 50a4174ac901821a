#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Splits a fuzzer's bytes into a few small choices and the rest as text.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : m_data(reinterpret_cast<const char*>(data)), m_size(size) {}

    int pick(int lowest, int highest) {
        const int range = highest - lowest + 1;
        if (m_size == 0)
            return lowest;
        const int value = static_cast<unsigned char>(*m_data) % range;
        ++m_data;
        --m_size;
        return lowest + value;
    }

    double number() {
        double value = 0;
        if (m_size >= sizeof value) {
            std::memcpy(&value, m_data, sizeof value);
            m_data += sizeof value;
            m_size -= sizeof value;
        }
        return value;
    }

    std::string_view rest() const { return {m_data, m_size}; }

private:
    const char* m_data;
    size_t m_size;
};
