#include "evidence/Thresholds.h"

#include "evidence/NumberText.h"
#include "evidence/ThresholdStays.h"
#include "evidence/Validation.h"

#include <algorithm>

namespace tessaplot {

namespace {

ThresholdParse refused(std::string problem) {
    ThresholdParse parse;
    parse.problem = std::move(problem);
    return parse;
}

} // namespace

bool Threshold::holds(double v) const {
    switch (comparison) {
    case Comparison::AtLeast:
        return v >= value;
    case Comparison::Above:
        return v > value;
    case Comparison::AtMost:
        return v <= value;
    case Comparison::Below:
        return v < value;
    }
    return false;
}

ThresholdParse ParseThreshold(std::string_view text) {
    const std::size_t at = text.find_first_of("<>");
    if (at == std::string_view::npos)
        return refused("\"" + std::string(TrimmedText(text)) +
                       "\" has no comparison: write NAME>=VALUE, NAME>VALUE, NAME<=VALUE or "
                       "NAME<VALUE");
    Threshold threshold;
    const bool orEqual = at + 1 < text.size() && text[at + 1] == '=';
    threshold.comparison =
        text[at] == '>' ? (orEqual ? Threshold::Comparison::AtLeast : Threshold::Comparison::Above)
                        : (orEqual ? Threshold::Comparison::AtMost : Threshold::Comparison::Below);
    const std::string_view name = TrimmedText(text.substr(0, at));
    const std::optional<EvidenceQuantity> quantity = MatchQuantityName(name);
    if (!quantity)
        return refused("\"" + std::string(name) + "\" names no body quantity or sensation");
    threshold.quantity = *quantity;
    const std::string_view limit = TrimmedText(text.substr(at + (orEqual ? 2 : 1)));
    const std::optional<double> value = WholeNumber(limit);
    if (!value)
        return refused("the limit \"" + std::string(limit) + "\" of \"" + std::string(name) +
                       "\" is not a number");
    threshold.value = *value;
    ThresholdParse parse;
    parse.threshold = threshold;
    return parse;
}

ThresholdFigures ComputeThresholdFigures(const CurveView& curve, const Threshold& threshold,
                                         std::optional<TimeSpan> span) {
    if (curve.empty())
        return {};
    const double first = curve.time(0), last = curve.time(curve.size() - 1);
    const double from = span ? std::max(span->from, first) : first;
    const double to = span ? std::min(span->to, last) : last;
    if (from > to)
        return {};

    ThresholdStays stays;
    // The curve over [from, to]: its values at both ends, and the records strictly between.
    double t0 = from, v0 = *InterpolatedValue(curve, from);
    stays.figures().covered = true;
    stays.figures().startsInside = threshold.holds(v0);
    if (from == to && stays.figures().startsInside)
        stays.add(from, from, true, true);
    const std::size_t end = FirstRecordAtOrAfter(curve, to);
    for (std::size_t i = FirstRecordAfter(curve, from); i < end; ++i) {
        AddThresholdSegment(stays, threshold, t0, v0, curve.time(i), curve.value(i));
        t0 = curve.time(i);
        v0 = curve.value(i);
    }
    if (from < to)
        AddThresholdSegment(stays, threshold, t0, v0, to, *InterpolatedValue(curve, to));
    return stays.figures();
}

} // namespace tessaplot
