#pragma once

#include "evidence/CurveView.h"
#include "evidence/QuantityMatch.h"
#include "evidence/TimeSpan.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessaplot {

// A limit on one quantity: "temperature of core>=38", "skin wetness>0.3",
// "Comfort Value>=80". The region is the values the comparison holds for: closed for >=
// and <= (a curve that only touches the value has entered it, for no time), open for >
// and < (a curve that only touches it has not; one that touches it from inside leaves
// and enters again).
struct Threshold {
    enum class Comparison { AtLeast, Above, AtMost, Below }; // >=, >, <=, <
    EvidenceQuantity quantity;
    Comparison comparison = Comparison::AtLeast;
    double value = 0.0;

    bool holds(double v) const;
};

struct ThresholdParse {
    std::optional<Threshold> threshold;
    std::string problem; // why refused; empty when read
};

// The quantity is named as a measured column is (NormalisedQuantityName), the value
// with '.' as its decimal point.
ThresholdParse ParseThreshold(std::string_view text);

// A curve against a threshold over a span, the curve linear between its records.
struct ThresholdFigures {
    bool covered = false;            // the curve has records over some of the span
    std::optional<double> firstTime; // when it first is in the region (minutes)
    double timeInside = 0.0;         // minutes in the region, crossings interpolated
    int entries = 0;                 // separate stays in the region, the first included
    bool startsInside = false;       // in the region where the span's curve begins
};

// Over the whole curve when no span is given. A curve already in the region where it
// (or the span) begins enters there. Outside the curve's time range nothing is assumed.
ThresholdFigures ComputeThresholdFigures(const CurveView& curve, const Threshold& threshold,
                                         std::optional<TimeSpan> span = std::nullopt);

} // namespace tessaplot
