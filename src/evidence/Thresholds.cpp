#include "evidence/Thresholds.h"

#include "evidence/NumberText.h"
#include "evidence/Validation.h"

#include <algorithm>

namespace tessaplot {

namespace {

ThresholdParse refused(std::string problem) {
    ThresholdParse parse;
    parse.problem = std::move(problem);
    return parse;
}

bool isClosed(Threshold::Comparison comparison) {
    return comparison == Threshold::Comparison::AtLeast ||
           comparison == Threshold::Comparison::AtMost;
}

// How far a value is into the region (negative outside): linear in the value, so linear
// along a segment of the curve.
double margin(const Threshold& threshold, double v) {
    const bool upper = threshold.comparison == Threshold::Comparison::AtLeast ||
                       threshold.comparison == Threshold::Comparison::Above;
    return upper ? v - threshold.value : threshold.value - v;
}

// Joins the pieces of the region the segments give, in time order, into stays.
class StayCounter {
public:
    void add(double start, double end, bool startClosed, bool endClosed) {
        if (m_active && start == m_end && (m_endClosed || startClosed)) {
            m_figures.timeInside += end - start;
            m_endClosed = end == m_end ? (m_endClosed || endClosed) : endClosed;
            m_end = end;
            return;
        }
        ++m_figures.entries;
        if (!m_figures.firstTime)
            m_figures.firstTime = start;
        m_figures.timeInside += end - start;
        m_active = true;
        m_end = end;
        m_endClosed = endClosed;
    }
    ThresholdFigures& figures() { return m_figures; }

private:
    ThresholdFigures m_figures;
    bool m_active = false;
    double m_end = 0.0;
    bool m_endClosed = false;
};

void addSegment(StayCounter& stays, const Threshold& threshold, double t0, double a, double t1,
                double b) {
    const bool closed = isClosed(threshold.comparison);
    const double ga = margin(threshold, a), gb = margin(threshold, b);
    const bool inA = closed ? ga >= 0.0 : ga > 0.0;
    const bool inB = closed ? gb >= 0.0 : gb > 0.0;
    if (t1 == t0) { // a step in the curve: only its two ends
        if (inA)
            stays.add(t0, t0, true, true);
        if (inB)
            stays.add(t1, t1, true, true);
        return;
    }
    if (inA && inB) {
        stays.add(t0, t1, true, true);
    } else if (inA || inB) {
        // The crossing: where the margin is 0. Between distinct margins, so no division by 0.
        const double crossing = std::clamp(t0 + ga / (ga - gb) * (t1 - t0), t0, t1);
        if (inA)
            stays.add(t0, crossing, true, closed);
        else
            stays.add(crossing, t1, closed, true);
    }
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

    StayCounter stays;
    // The curve over [from, to]: its values at both ends, and the records strictly between.
    double t0 = from, v0 = *InterpolatedValue(curve, from);
    stays.figures().covered = true;
    stays.figures().startsInside = threshold.holds(v0);
    if (from == to && stays.figures().startsInside)
        stays.add(from, from, true, true);
    const std::size_t end = FirstRecordAtOrAfter(curve, to);
    for (std::size_t i = FirstRecordAfter(curve, from); i < end; ++i) {
        addSegment(stays, threshold, t0, v0, curve.time(i), curve.value(i));
        t0 = curve.time(i);
        v0 = curve.value(i);
    }
    if (from < to)
        addSegment(stays, threshold, t0, v0, to, *InterpolatedValue(curve, to));
    return stays.figures();
}

} // namespace tessaplot
