#include "evidence/ThresholdAccumulator.h"

namespace tessaplot {

ThresholdAccumulator::ThresholdAccumulator(const Threshold& threshold, std::optional<TimeSpan> span)
    : m_threshold(threshold), m_span(span) {}

void ThresholdAccumulator::start(double from, double value) {
    m_from = from;
    m_t0 = from;
    m_v0 = value;
    m_state = State::Started;
    m_stays.figures().covered = true;
    m_stays.figures().startsInside = m_threshold.holds(value);
}

void ThresholdAccumulator::point(double t, double v) {
    AddThresholdSegment(m_stays, m_threshold, m_t0, m_v0, t, v);
    m_t0 = t;
    m_v0 = v;
}

void ThresholdAccumulator::flushHeld() {
    if (!m_held)
        return;
    point(m_heldT, m_heldFirst);
    if (m_heldInside)
        point(m_heldT, *m_heldInside);
    if (m_heldCount > 1)
        point(m_heldT, m_heldLast);
    m_held = false;
    m_heldInside.reset();
}

void ThresholdAccumulator::add(double t, double v) {
    const bool first = !m_seen;
    const double prevT = m_prevT, prevV = m_prevV;
    m_seen = true;
    m_prevT = t;
    m_prevV = v;
    if (m_state == State::Done)
        return;
    if (m_state == State::BeforeStart) {
        if (!m_span || (first && t >= m_span->from)) {
            start(t, v);
        } else if (t < m_span->from) {
            return;
        } else { // the span begins between the last record and this one, or on this one
            start(m_span->from, t == m_span->from
                                    ? v
                                    : prevV + (v - prevV) * (m_span->from - prevT) / (t - prevT));
        }
        if (m_span && m_from >= m_span->to) {
            // The curve over the span is one point, or none when it starts beyond.
            if (m_from > m_span->to)
                m_stays = ThresholdStays();
            else if (m_stays.figures().startsInside)
                m_stays.add(m_from, m_from, true, true);
            m_state = State::Done;
            return;
        }
    }
    if (t <= m_from)
        return;
    if (m_span && t >= m_span->to) {
        flushHeld();
        point(m_span->to,
              t == m_span->to ? v : prevV + (v - prevV) * (m_span->to - prevT) / (t - prevT));
        m_state = State::Done;
        return;
    }
    if (m_held && m_heldT != t)
        flushHeld();
    if (!m_held) {
        m_held = true;
        m_heldT = t;
        m_heldFirst = m_heldLast = v;
        m_heldCount = 1;
        return;
    }
    if (m_heldCount > 1 && !m_heldInside && m_threshold.holds(m_heldLast))
        m_heldInside = m_heldLast;
    m_heldLast = v;
    ++m_heldCount;
}

ThresholdFigures ThresholdAccumulator::figures() const {
    if (m_state != State::Started)
        return m_stays.figures();
    // The curve ends at the last record handed: the first record at that time ends it.
    ThresholdStays stays = m_stays;
    if (m_held)
        AddThresholdSegment(stays, m_threshold, m_t0, m_v0, m_heldT, m_heldFirst);
    else if (stays.figures().startsInside) // it is one point
        stays.add(m_from, m_from, true, true);
    return stays.figures();
}

} // namespace tessaplot
