#pragma once

#include <cstddef>
#include <span>

namespace tessaplot {

// A simulated curve read in place from the records a page keeps (FieldPoint of
// BodyProperty.dat, ComfortRecord of Comfort.dat ...), without copying 150,000 of them:
// the time and the value are two float members of each record. Times never decrease,
// as the simulation writes them.
class CurveView {
public:
    CurveView() = default;

    template <typename Record>
    CurveView(std::span<const Record> records, float Record::*time, float Record::*value)
        : m_times(records.empty() ? nullptr
                                  : reinterpret_cast<const char*>(&(records.front().*time))),
          m_values(records.empty() ? nullptr
                                   : reinterpret_cast<const char*>(&(records.front().*value))),
          m_stride(sizeof(Record)), m_size(records.size()) {}

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    float time(std::size_t i) const { return at(m_times, i); }
    float value(std::size_t i) const { return at(m_values, i); }

private:
    float at(const char* first, std::size_t i) const {
        return *reinterpret_cast<const float*>(first + i * m_stride);
    }

    const char* m_times = nullptr;
    const char* m_values = nullptr;
    std::size_t m_stride = 0;
    std::size_t m_size = 0;
};

// The first index whose time is not below `t` (size() when none is).
std::size_t FirstRecordAtOrAfter(const CurveView& curve, double t);

// The first index whose time is above `t` (size() when none is).
std::size_t FirstRecordAfter(const CurveView& curve, double t);

} // namespace tessaplot
