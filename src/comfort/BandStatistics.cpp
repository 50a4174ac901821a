#include "comfort/BandStatistics.h"

namespace tessaplot {

BandStatisticsAccumulator::BandStatisticsAccumulator(ComfortQuantity quantity)
    : m_quantity(quantity) {
    m_stats.bandCount = static_cast<int>(SensationBandsOf(quantity).size());
}

void BandStatisticsAccumulator::add(const ComfortRecord& record) {
    const float value = QuantityValue(record, m_quantity);
    // Strict comparisons: the earliest record keeps an extreme that recurs.
    if (m_stats.recordCount == 0 || value < m_stats.lowest) {
        m_stats.lowest = value;
        m_stats.lowestTime = record.Time;
    }
    if (m_stats.recordCount == 0 || value > m_stats.highest) {
        m_stats.highest = value;
        m_stats.highestTime = record.Time;
    }
    m_stats.wholeTime = record.Time;
    ++m_stats.counts[SensationBandIndex(m_quantity, value)];
    ++m_stats.recordCount;
}

BandStatistics BandStatisticsAccumulator::statistics() const {
    BandStatistics stats = m_stats;
    if (stats.recordCount == 0)
        return stats;
    const float total = static_cast<float>(stats.recordCount);
    for (int i = 0; i < stats.bandCount; ++i) {
        stats.percentages[i] = 100.0f * static_cast<float>(stats.counts[i]) / total;
        stats.roundedPercentages[i] = static_cast<int>(stats.percentages[i] + 0.5f);
    }
    return stats;
}

BandStatistics ComputeBandStatistics(std::span<const ComfortRecord> records,
                                     ComfortQuantity quantity) {
    BandStatisticsAccumulator stats(quantity);
    for (const ComfortRecord& record : records)
        stats.add(record);
    return stats.statistics();
}

} // namespace tessaplot
