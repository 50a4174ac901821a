#include "comfort/BandStatistics.h"

namespace tessaplot {

BandStatistics ComputeBandStatistics(std::span<const ComfortRecord> records,
                                     ComfortQuantity quantity) {
    BandStatistics stats;
    stats.bandCount = static_cast<int>(SensationBandsOf(quantity).size());
    stats.recordCount = static_cast<int>(records.size());
    if (records.empty())
        return stats;

    stats.highest = stats.lowest = QuantityValue(records.front(), quantity);
    stats.highestTime = stats.lowestTime = records.front().Time;
    stats.wholeTime = records.back().Time;
    for (const ComfortRecord& record : records) {
        const float value = QuantityValue(record, quantity);
        // Strict comparisons: the earliest record keeps an extreme that recurs.
        if (value < stats.lowest) {
            stats.lowest = value;
            stats.lowestTime = record.Time;
        }
        if (value > stats.highest) {
            stats.highest = value;
            stats.highestTime = record.Time;
        }
        ++stats.counts[SensationBandIndex(quantity, value)];
    }
    const float total = static_cast<float>(stats.recordCount);
    for (int i = 0; i < stats.bandCount; ++i) {
        stats.percentages[i] = 100.0f * static_cast<float>(stats.counts[i]) / total;
        stats.roundedPercentages[i] = static_cast<int>(stats.percentages[i] + 0.5f);
    }
    return stats;
}

} // namespace tessaplot
