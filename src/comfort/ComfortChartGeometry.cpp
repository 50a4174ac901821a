#include "comfort/ComfortChartGeometry.h"

#include "text/FormatPattern.h"

#include <cmath>

namespace tessaplot {

namespace {

constexpr std::array<ChartStripe, 5> thermalStripes{{
    {0.0f, 0.23f, {0, 0, 1}, {0, 0.9f, 1}, "Cold", 0.1f},
    {0.23f, 0.45f, {0, 1, 1}, {0.7f, 1, 1}, "Cool", 0.32f},
    {0.45f, 0.55f, {0.7f, 1, 0.7f}, {0.5f, 1, 0.5f}, "Neutral", 0.48f},
    {0.55f, 0.73f, {1, 1, 0.7f}, {1, 1, 0}, "Warm", 0.61f},
    {0.73f, 1.0f, {1, 0.8f, 0.5f}, {1, 0, 0}, "Hot", 0.84f},
}};

// Dry is red and very damp blue: the colours run the other way round from the others.
constexpr std::array<ChartStripe, 4> dampnessStripes{{
    {0.0f, 0.22f, {1, 0, 0}, {1, 0.5f, 0.5f}, "Dry", 0.1f},
    {0.22f, 0.47f, {1, 1, 0}, {1, 1, 0.7f}, "Slightly Damp", 0.32f},
    {0.47f, 0.7f, {0.9f, 1, 1}, {0, 1, 1}, "Damp", 0.56f},
    {0.7f, 1.0f, {0, 0.9f, 1}, {0, 0, 1}, "Very Damp", 0.812f},
}};

constexpr std::array<ChartStripe, 3> comfortStripes{{
    {0.0f, 0.3f, {0, 0, 1}, {0, 0.9f, 1}, "Comfortable", 0.14f},
    {0.3f, 0.78f, {0.8f, 1, 0.8f}, {0.5f, 1, 0.2f}, "Acceptable", 0.5f},
    {0.78f, 1.0f, {1, 0.8f, 0.5f}, {1, 0, 0}, "Uncomfortable", 0.86f},
}};

constexpr float clampedX = 0.99f;
constexpr float clampedY = 0.984f;

} // namespace

std::span<const ChartStripe> ComfortChartStripes(ComfortQuantity quantity) {
    switch (quantity) {
    case ComfortQuantity::ThermalSensation:
        return thermalStripes;
    case ComfortQuantity::DampnessSensation:
        return dampnessStripes;
    case ComfortQuantity::ComfortValue:
        break;
    }
    return comfortStripes;
}

std::string_view ComfortChartTitle(ComfortQuantity quantity) {
    switch (quantity) {
    case ComfortQuantity::ThermalSensation:
        return "Thermal Sensation";
    case ComfortQuantity::DampnessSensation:
        return "Dampness Sensation";
    case ComfortQuantity::ComfortValue:
        break;
    }
    return "Comfort Value";
}

std::array<ChartText, 6> ComfortTimeTicks(float endTime, std::string_view decimalSeparator) {
    std::array<ChartText, 6> ticks;
    for (int i = 0; i < 6; ++i) {
        const double time = i * 0.2 * static_cast<double>(endTime);
        ticks[i] = {FormatWithPattern(time, "#0.##", decimalSeparator), 0.2f * i, -0.1f};
    }
    return ticks;
}

std::array<ChartText, 6> ComfortValueTicks(std::string_view decimalSeparator) {
    std::array<ChartText, 6> ticks;
    for (int i = 0; i < 6; ++i)
        ticks[i] = {FormatWithPattern(20.0 * i, "#0.##", decimalSeparator), -0.15f, 0.2f * i};
    return ticks;
}

std::array<ChartText, 2> ComfortAxisTitles() {
    return {{{"Time (min.)", 1.22f, -0.13f}, {"Sensation(0~100)", -0.15f, 1.23f}}};
}

void BuildComfortCurve(std::span<const ComfortRecord> records, float endTime,
                       ComfortQuantity quantity, std::vector<ChartPoint>& points) {
    points.clear();
    points.reserve(records.size());
    const bool hasTimeScale = endTime > 0.0f && std::isfinite(endTime);
    for (const ComfortRecord& record : records) {
        float x = hasTimeScale ? record.Time / endTime : 0.0f;
        float y = 0.01f * QuantityValue(record, quantity);
        if (x >= 1.0f)
            x = clampedX;
        if (y >= 1.0f)
            y = clampedY;
        points.push_back({x, y});
    }
}

} // namespace tessaplot
