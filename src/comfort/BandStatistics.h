#pragma once

#include "comfort/ComfortRecord.h"
#include "comfort/SensationBands.h"

#include <array>
#include <span>

namespace tessaplot {

// The statistics of one quantity over the records of one read. Band arrays are indexed
// bottom-up as SensationBandsOf gives the bands; entries past bandCount are 0.
struct BandStatistics {
    int bandCount = 0;
    int recordCount = 0;
    std::array<int, MaxSensationBands> counts{};
    // Share of records (output lines, not minutes) per band, 100 x count / records.
    std::array<float, MaxSensationBands> percentages{};
    // Each percentage rounded half up by itself; they need not add up to 100.
    std::array<int, MaxSensationBands> roundedPercentages{};
    float highest = 0.0f;
    float lowest = 0.0f;
    // Time of the earliest record holding the highest and the lowest value.
    float highestTime = 0.0f;
    float lowestTime = 0.0f;
    // Time of the last record: the whole time of wearing (not reduced by the first time).
    float wholeTime = 0.0f;
};

// The statistics of records taken one at a time, so that a file's can be had in one
// pass without keeping its records.
class BandStatisticsAccumulator {
public:
    explicit BandStatisticsAccumulator(ComfortQuantity quantity);
    void add(const ComfortRecord& record);
    BandStatistics statistics() const;

private:
    ComfortQuantity m_quantity;
    BandStatistics m_stats;
};

// With no records every count, share and time is 0.
BandStatistics ComputeBandStatistics(std::span<const ComfortRecord> records,
                                     ComfortQuantity quantity);

} // namespace tessaplot
