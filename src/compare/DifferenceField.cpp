#include "compare/DifferenceField.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <limits>
#include <optional>

namespace tessaplot {

namespace {

// One value of the compared run at a place, and whether it is a record's own.
struct Sample {
    float value;
    bool exact;
};

struct Node {
    float position;
    float value;
};

struct Step {
    float time;
    std::size_t first; // into CompareGrid::nodes
    std::size_t count;
};

// The compared run's complete time steps, sorted by time, each sorted by position.
class CompareGrid {
public:
    explicit CompareGrid(const FieldLayout& layout) {
        const std::size_t count = layout.points.size();
        const std::size_t perStep =
            layout.positionsPerStep > 0 ? static_cast<std::size_t>(layout.positionsPerStep) : count;
        if (perStep == 0)
            return;
        const std::size_t steps = count / perStep;
        for (std::size_t k = 0; k < steps; ++k) {
            const auto step = layout.points.subspan(k * perStep, perStep);
            if (std::isnan(step.front().Time))
                continue;
            Step s{step.front().Time, m_nodes.size(), 0};
            for (const FieldPoint& p : step)
                if (!std::isnan(p.Position))
                    m_nodes.push_back({p.Position, p.Value});
            const auto begin = m_nodes.begin() + static_cast<std::ptrdiff_t>(s.first);
            const auto byPosition = [](const Node& a, const Node& b) {
                return a.position < b.position;
            };
            // Of records at the same position the one written last counts. Tables come
            // sorted: the sort (which allocates) is for those that do not.
            if (!std::is_sorted(begin, m_nodes.end(), byPosition))
                std::stable_sort(begin, m_nodes.end(), byPosition);
            const auto last = std::unique(
                std::make_reverse_iterator(m_nodes.end()), std::make_reverse_iterator(begin),
                [](const Node& a, const Node& b) { return a.position == b.position; });
            m_nodes.erase(begin, last.base());
            s.count = m_nodes.size() - s.first;
            if (s.count > 0)
                m_steps.push_back(s);
        }
        const auto byTime = [](const Step& a, const Step& b) { return a.time < b.time; };
        if (!std::is_sorted(m_steps.begin(), m_steps.end(), byTime))
            std::stable_sort(m_steps.begin(), m_steps.end(), byTime);
        const auto last =
            std::unique(m_steps.rbegin(), m_steps.rend(),
                        [](const Step& a, const Step& b) { return a.time == b.time; });
        m_steps.erase(m_steps.begin(), last.base());
    }

    std::optional<Sample> at(float time, float position) const {
        if (m_steps.empty() || !(time >= m_steps.front().time && time <= m_steps.back().time))
            return std::nullopt;
        const auto after = std::lower_bound(m_steps.begin(), m_steps.end(), time,
                                            [](const Step& s, float t) { return s.time < t; });
        if (after->time == time)
            return atStep(*after, position);
        const Step& before = *(after - 1);
        const std::optional<Sample> a = atStep(before, position);
        const std::optional<Sample> b = atStep(*after, position);
        if (!a || !b)
            return std::nullopt;
        const float w = (time - before.time) / (after->time - before.time);
        return Sample{a->value + w * (b->value - a->value), false};
    }

private:
    std::optional<Sample> atStep(const Step& step, float position) const {
        const Node* begin = m_nodes.data() + step.first;
        const Node* end = begin + step.count;
        if (!(position >= begin->position && position <= (end - 1)->position))
            return std::nullopt;
        const Node* after = std::lower_bound(begin, end, position,
                                             [](const Node& n, float x) { return n.position < x; });
        if (after->position == position)
            return Sample{after->value, true};
        const Node& before = *(after - 1);
        const float w = (position - before.position) / (after->position - before.position);
        return Sample{before.value + w * (after->value - before.value), false};
    }

    std::vector<Node> m_nodes;
    std::vector<Step> m_steps;
};

bool sameGrid(std::span<const FieldPoint> a, std::span<const FieldPoint> b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto& p, auto& q) {
               return p.Time == q.Time && p.Position == q.Position;
           });
}

float spanOf(float min, float max) {
    const float span = max - min;
    return span > 0.0f ? span : 1.0f;
}

void add(DifferenceField& field, const FieldPoint& opened, float compared) {
    field.points.push_back({opened.Time, opened.Position, opened.Value - compared});
    field.openedValues.push_back(opened.Value);
    field.comparedValues.push_back(compared);
}

void setExtents(DifferenceField& field) {
    if (field.points.empty())
        return;
    field.TimeMin = field.points.front().Time;
    field.TimeMax = field.points.back().Time;
    field.PositionMin = field.points.front().Position;
    field.PositionMax = field.points.back().Position;
    bool any = false;
    float largest = 0;
    for (std::size_t i = 0; i < field.points.size(); ++i) {
        const float value = field.points[i].Value;
        if (std::isnan(value))
            continue;
        field.ValueMin = any ? std::min(field.ValueMin, value) : value;
        field.ValueMax = any ? std::max(field.ValueMax, value) : value;
        largest = std::max(
            {largest, std::fabs(field.openedValues[i]), std::fabs(field.comparedValues[i])});
        any = true;
    }
    // Differences apart by no more than the rounding of the values they come from are
    // one difference: a run warmer by 0.5 everywhere draws flat, not its rounding.
    if (field.ValueMax - field.ValueMin <= 8 * std::numeric_limits<float>::epsilon() * largest)
        field.ValueMin = field.ValueMax = field.ValueMin + (field.ValueMax - field.ValueMin) / 2;
    field.TimeSpan = spanOf(field.TimeMin, field.TimeMax);
    field.PositionSpan = spanOf(field.PositionMin, field.PositionMax);
    field.ValueSpan = spanOf(field.ValueMin, field.ValueMax);
}

} // namespace

DifferenceField MakeDifferenceField(const FieldLayout& opened, const FieldLayout& compared) {
    DifferenceField field;
    const std::span<const FieldPoint> points = opened.points;
    field.positionsPerStep = opened.positionsPerStep;
    if (sameGrid(points, compared.points)) {
        for (std::size_t i = 0; i < points.size(); ++i)
            add(field, points[i], compared.points[i].Value);
        setExtents(field);
        return field;
    }

    const CompareGrid grid(compared);
    std::vector<std::optional<Sample>> samples;
    samples.reserve(points.size());
    for (const FieldPoint& p : points)
        samples.push_back(grid.at(p.Time, p.Position));

    // A position is kept when it is covered at every time step that keeps any.
    const std::size_t perStep = opened.positionsPerStep > 0
                                    ? static_cast<std::size_t>(opened.positionsPerStep)
                                    : std::max<std::size_t>(points.size(), 1);
    std::vector<char> positionKept(perStep, 1), stepKept(points.size() / perStep + 1, 0);
    for (std::size_t i = 0; i < points.size(); ++i)
        stepKept[i / perStep] |= samples[i].has_value();
    for (std::size_t i = 0; i < points.size(); ++i)
        if (stepKept[i / perStep] && !samples[i])
            positionKept[i % perStep] = 0;

    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!samples[i] || !positionKept[i % perStep])
            continue;
        add(field, points[i], samples[i]->value);
        field.interpolated |= !samples[i]->exact;
    }
    field.partial = field.points.size() < points.size();
    if (opened.positionsPerStep > 0)
        field.positionsPerStep =
            static_cast<int>(std::count(positionKept.begin(), positionKept.end(), 1));
    setExtents(field);
    return field;
}

} // namespace tessaplot
