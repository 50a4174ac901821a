#include "compare/SummaryEvidence.h"

namespace tessaplot {

namespace {

constexpr std::array<ComfortQuantity, 3> sensationOrder{ComfortQuantity::ThermalSensation,
                                                        ComfortQuantity::DampnessSensation,
                                                        ComfortQuantity::ComfortValue};

} // namespace

RunEvidenceAccumulator::RunEvidenceAccumulator(const SummaryEvidence& evidence)
    : m_evidence(evidence) {
    for (std::size_t p = 0; p < evidence.phases.size(); ++p) {
        m_spans.push_back(PhaseSpan(evidence.phases, p));
        m_phaseSensations.push_back({BandStatisticsAccumulator(sensationOrder[0]),
                                     BandStatisticsAccumulator(sensationOrder[1]),
                                     BandStatisticsAccumulator(sensationOrder[2])});
    }
    m_phaseBody.resize(evidence.phases.size());
    for (const Threshold& threshold : evidence.thresholds) {
        std::vector<ThresholdAccumulator> spans{ThresholdAccumulator(threshold)};
        for (const TimeSpan& span : m_spans)
            spans.emplace_back(threshold, span);
        m_thresholds.push_back(std::move(spans));
    }
    for (const SummaryMeasuredSeries& series : evidence.measured)
        m_measured.emplace_back(series.times);
}

void RunEvidenceAccumulator::addToCurves(EvidenceQuantity::Source source, double t,
                                         const float* values) {
    for (std::size_t k = 0; k < m_thresholds.size(); ++k) {
        const EvidenceQuantity quantity = m_evidence.thresholds[k].quantity;
        if (quantity.source == source)
            for (ThresholdAccumulator& span : m_thresholds[k])
                span.add(t, values[quantity.index]);
    }
    for (std::size_t s = 0; s < m_measured.size(); ++s) {
        const EvidenceQuantity quantity = m_evidence.measured[s].quantity;
        if (quantity.source == source)
            m_measured[s].add(t, values[quantity.index]);
    }
}

void RunEvidenceAccumulator::addComfort(const ComfortRecord& record) {
    m_comfortTimes.add(record.Time);
    for (std::size_t p = 0; p < m_spans.size(); ++p)
        if (m_spans[p].holds(record.Time))
            for (BandStatisticsAccumulator& sensation : m_phaseSensations[p])
                sensation.add(record);
    const float values[3] = {record.ThermalSensation, record.DampnessSensation,
                             record.ComfortValue};
    addToCurves(EvidenceQuantity::Source::Comfort, record.Time, values);
}

void RunEvidenceAccumulator::addBody(float time,
                                     const std::array<float, BodyQuantityCount>& values) {
    m_bodyTimes.add(time);
    for (std::size_t p = 0; p < m_spans.size(); ++p)
        if (m_spans[p].holds(time))
            for (int q = 0; q < BodyQuantityCount; ++q)
                m_phaseBody[p][q].add(values[q]);
    addToCurves(EvidenceQuantity::Source::Body, time, values.data());
}

RunEvidence RunEvidenceAccumulator::result() const {
    RunEvidence evidence;
    evidence.comfortTimes = m_comfortTimes;
    evidence.bodyTimes = m_bodyTimes;
    for (std::size_t p = 0; p < m_spans.size(); ++p) {
        std::array<BandStatistics, 3> sensations{};
        for (std::size_t q = 0; q < 3; ++q)
            sensations[static_cast<std::size_t>(sensationOrder[q])] =
                m_phaseSensations[p][q].statistics();
        evidence.phaseSensations.push_back(sensations);
        std::array<RunFigures, BodyQuantityCount> body{};
        for (int q = 0; q < BodyQuantityCount; ++q)
            body[q] = m_phaseBody[p][q].figures();
        evidence.phaseBody.push_back(body);
    }
    for (const std::vector<ThresholdAccumulator>& spans : m_thresholds) {
        std::vector<ThresholdFigures> figures;
        for (const ThresholdAccumulator& span : spans)
            figures.push_back(span.figures());
        evidence.thresholds.push_back(std::move(figures));
    }
    for (std::size_t s = 0; s < m_measured.size(); ++s) {
        const SummaryMeasuredSeries& series = m_evidence.measured[s];
        const auto model = m_measured[s].values();
        std::vector<ValidationFigures> figures;
        for (std::size_t span = 0; span <= m_spans.size(); ++span) {
            ValidationAccumulator accumulator(series.tolerance);
            for (std::size_t i = 0; i < series.times.size(); ++i)
                if (span == 0 || m_spans[span - 1].holds(series.times[i]))
                    accumulator.add(series.times[i], series.values[i], model[i]);
            figures.push_back(accumulator.figures());
        }
        evidence.validation.push_back(std::move(figures));
    }
    return evidence;
}

} // namespace tessaplot
