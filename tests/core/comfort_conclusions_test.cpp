#include "comfort/BandStatistics.h"
#include "comfort/Conclusions.h"
#include "comfort/SensationBands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

namespace tessaplot {
namespace {

using Q = ComfortQuantity;

std::vector<ComfortRecord> recordsOf(Q quantity, const std::vector<float>& values,
                                     float firstTime = 10.0f, float step = 10.0f) {
    std::vector<ComfortRecord> records;
    float time = firstTime;
    for (const float value : values) {
        ComfortRecord record{time, 0.0f, 0.0f, 0.0f};
        if (quantity == Q::ThermalSensation)
            record.ThermalSensation = value;
        else if (quantity == Q::DampnessSensation)
            record.DampnessSensation = value;
        else
            record.ComfortValue = value;
        records.push_back(record);
        time += step;
    }
    return records;
}

float above(float value) {
    return std::nextafter(value, std::numeric_limits<float>::infinity());
}

TEST(SensationBands, BoundaryValuesBelongToTheBandBelow) {
    const struct {
        Q quantity;
        float value;
        const char* band;
    } cases[] = {
        {Q::ThermalSensation, -5.0f, "Cold"},
        {Q::ThermalSensation, 23.0f, "Cold"},
        {Q::ThermalSensation, 23.001f, "Cool"},
        {Q::ThermalSensation, above(23.0f), "Cool"},
        {Q::ThermalSensation, 45.0f, "Cool"},
        {Q::ThermalSensation, above(45.0f), "Neutral"},
        {Q::ThermalSensation, 55.0f, "Neutral"},
        {Q::ThermalSensation, above(55.0f), "Warm"},
        {Q::ThermalSensation, 73.0f, "Warm"},
        {Q::ThermalSensation, 73.01f, "Hot"},
        {Q::ThermalSensation, 1e30f, "Hot"},
        {Q::DampnessSensation, 22.0f, "Dry"},
        {Q::DampnessSensation, above(22.0f), "Slightly Damp"},
        {Q::DampnessSensation, 47.0f, "Slightly Damp"},
        {Q::DampnessSensation, above(47.0f), "Damp"},
        {Q::DampnessSensation, 70.0f, "Damp"},
        {Q::DampnessSensation, above(70.0f), "Very Damp"},
        {Q::ComfortValue, 0.0f, "Comfortable"},
        {Q::ComfortValue, 30.0f, "Comfortable"},
        {Q::ComfortValue, above(30.0f), "Acceptable"},
        {Q::ComfortValue, 78.0f, "Acceptable"},
        {Q::ComfortValue, above(78.0f), "Uncomfortable"},
    };
    for (const auto& c : cases) {
        const auto bands = SensationBandsOf(c.quantity);
        EXPECT_EQ(bands[SensationBandIndex(c.quantity, c.value)].name, c.band) << c.value;
    }
    EXPECT_TRUE(IsComfortQuantity(2));
    EXPECT_FALSE(IsComfortQuantity(-1));
    EXPECT_FALSE(IsComfortQuantity(3));
}

TEST(Conclusions, SixThermalValuesGiveTheExactCaptions) {
    const auto records =
        recordsOf(Q::ThermalSensation, {23.0f, 23.5f, 45.0f, 55.0f, 73.0f, 73.01f});
    const auto stats = ComputeBandStatistics(records, Q::ThermalSensation);
    EXPECT_EQ(stats.counts, (std::array<int, 5>{1, 2, 1, 1, 1}));
    EXPECT_EQ(stats.roundedPercentages, (std::array<int, 5>{17, 33, 17, 17, 17}));

    const ConclusionCaptions expected = {
        "60 min.",                               // Label15
        "60 min.",                               // Label16: 73.01 at 60
        "10 min.",                               // Label17: 23 at 10
        "Hot    17%",                            // Label18
        "Warm    17%",                           // Label19
        "Neutral    17%",                        // Label20
        "Cool    33%",                           // Label21
        "Cold    17%",                           // Label22
        "The percentage of thermal sensation:",  // Label23
        "The whole time of wearing clothing:  ", // Label24
        "The highest thermal sensation:  ",      // Label25
        "The lowest thermal sensation:  ",       // Label26
    };
    EXPECT_EQ(ConclusionTexts(records, Q::ThermalSensation), expected);
}

TEST(Conclusions, DampnessAndComfortCaptions) {
    const auto damp =
        ConclusionTexts(recordsOf(Q::DampnessSensation, {10, 30, 60, 80}), Q::DampnessSensation);
    EXPECT_EQ(damp[ConclusionIndex(25)], "The highest dampness sensation:  ");
    EXPECT_EQ(damp[ConclusionIndex(26)], "The lowest dampness sensation:  ");
    EXPECT_EQ(damp[ConclusionIndex(23)], "The percentage of dampness sensation:");
    EXPECT_EQ(damp[ConclusionIndex(18)], "Very Damp    25%");
    EXPECT_EQ(damp[ConclusionIndex(19)], "Damp    25%");
    EXPECT_EQ(damp[ConclusionIndex(20)], "Slightly Damp    25%");
    EXPECT_EQ(damp[ConclusionIndex(21)], "Dry    25%");
    EXPECT_EQ(damp[ConclusionIndex(22)], "");

    // Three records in three bands: 33% each, not adding up to 100.
    const auto comfort = ConclusionTexts(recordsOf(Q::ComfortValue, {30, 78, 79}), Q::ComfortValue);
    EXPECT_EQ(comfort[ConclusionIndex(25)], "The highest comfort sensation:  ");
    EXPECT_EQ(comfort[ConclusionIndex(26)], "The lowest comfort sensation:  ");
    EXPECT_EQ(comfort[ConclusionIndex(23)], "The percentage of comfort sensation:");
    EXPECT_EQ(comfort[ConclusionIndex(18)], "Uncomfortable    33%");
    EXPECT_EQ(comfort[ConclusionIndex(19)], "Acceptable    33%");
    EXPECT_EQ(comfort[ConclusionIndex(20)], "Comfortable    33%");
    EXPECT_EQ(comfort[ConclusionIndex(21)], "");
    EXPECT_EQ(comfort[ConclusionIndex(22)], "");
}

TEST(BandStatistics, PercentagesRoundHalfUpPerBand) {
    // 1 of 8 is 12.5 %, 7 of 8 is 87.5 %: both round up.
    const auto stats = ComputeBandStatistics(
        recordsOf(Q::ThermalSensation, {80, 10, 10, 10, 10, 10, 10, 10}), Q::ThermalSensation);
    EXPECT_EQ(stats.roundedPercentages[4], 13);
    EXPECT_EQ(stats.roundedPercentages[0], 88);

    // Counts always cover every record once.
    std::vector<float> values;
    for (int i = 0; i <= 1000; ++i)
        values.push_back(0.1f * static_cast<float>(i));
    for (const Q q : {Q::ThermalSensation, Q::DampnessSensation, Q::ComfortValue}) {
        const auto s = ComputeBandStatistics(recordsOf(q, values), q);
        EXPECT_EQ(std::accumulate(s.counts.begin(), s.counts.end(), 0), 1001);
        EXPECT_NEAR(std::accumulate(s.percentages.begin(), s.percentages.end(), 0.0f), 100.0f,
                    1e-3f);
    }
}

TEST(BandStatistics, EarliestExtremesAndEqualRecords) {
    // Highest value at 10 and again at 50 minutes, lowest at 20 and 40.
    auto stats = ComputeBandStatistics(recordsOf(Q::ThermalSensation, {90, 5, 50, 5, 90}),
                                       Q::ThermalSensation);
    EXPECT_EQ(stats.highestTime, 10.0f);
    EXPECT_EQ(stats.lowestTime, 20.0f);

    const auto equal = recordsOf(Q::ComfortValue, {50, 50, 50, 50}, 12.3f, 1.0f);
    stats = ComputeBandStatistics(equal, Q::ComfortValue);
    EXPECT_EQ(stats.highestTime, 12.3f);
    EXPECT_EQ(stats.lowestTime, 12.3f);
    EXPECT_EQ(stats.roundedPercentages, (std::array<int, 5>{0, 100, 0, 0, 0}));
    const auto captions = ConclusionTexts(stats, Q::ComfortValue);
    EXPECT_EQ(captions[ConclusionIndex(16)], "12.3000001907349 min.");
    EXPECT_EQ(captions[ConclusionIndex(17)], "12.3000001907349 min.");
    EXPECT_EQ(captions[ConclusionIndex(15)], "15.3000001907349 min.");
    EXPECT_EQ(ConclusionTexts(stats, Q::ComfortValue, ",")[ConclusionIndex(16)],
              "12,3000001907349 min.");
}

TEST(Conclusions, NoRecordsGiveEmptyCaptions) {
    const std::vector<ComfortRecord> none;
    for (const Q q : {Q::ThermalSensation, Q::DampnessSensation, Q::ComfortValue}) {
        const auto stats = ComputeBandStatistics(none, q);
        EXPECT_EQ(stats.recordCount, 0);
        EXPECT_EQ(stats.roundedPercentages, (std::array<int, 5>{}));
        for (const auto& caption : ConclusionTexts(stats, q))
            EXPECT_EQ(caption, "");
    }
}

} // namespace
} // namespace tessaplot
