#pragma once

#include "comfort/BandStatistics.h"
#include "comfort/ComfortRecord.h"
#include "compare/RunFigures.h"
#include "dataset/BodyQuantities.h"
#include "evidence/Phases.h"
#include "evidence/ThresholdAccumulator.h"
#include "evidence/Validation.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tessaplot {

// A measured series the summary checks every run against.
struct SummaryMeasuredSeries {
    std::string label; // the file's name and the column's header
    EvidenceQuantity quantity;
    std::vector<double> times, values;
    std::optional<double> tolerance;
};

// What the summary gives beside each run's own figures: the same figures over each phase,
// each threshold's crossings, and the agreement with each measured series.
struct SummaryEvidence {
    std::vector<Phase> phases;
    std::vector<Threshold> thresholds;
    std::vector<SummaryMeasuredSeries> measured;
    bool empty() const { return phases.empty() && thresholds.empty() && measured.empty(); }
};

// The times a table's records cover, for whether it reaches a phase.
struct RecordTimes {
    int records = 0;
    double first = 0.0, last = 0.0;
    void add(double t) {
        if (records++ == 0)
            first = t;
        last = t;
    }
};

// One run's evidence figures. Over spans indexed 0 for the whole time, 1 + p for phase p.
struct RunEvidence {
    RecordTimes comfortTimes, bodyTimes;
    std::vector<std::array<BandStatistics, 3>> phaseSensations; // per phase
    std::vector<std::array<RunFigures, BodyQuantityCount>> phaseBody;
    std::vector<std::vector<ThresholdFigures>> thresholds;  // [threshold][span]
    std::vector<std::vector<ValidationFigures>> validation; // [series][span]
};

// A run's evidence as its tables' records pass, each once: only running figures, the
// simulated values at the measured times and the thresholds' stays are kept.
class RunEvidenceAccumulator {
public:
    explicit RunEvidenceAccumulator(const SummaryEvidence& evidence);
    void addComfort(const ComfortRecord& record);
    void addBody(float time, const std::array<float, BodyQuantityCount>& values);
    RunEvidence result() const;

private:
    void addToCurves(EvidenceQuantity::Source source, double t, const float* values);

    const SummaryEvidence& m_evidence;
    RecordTimes m_comfortTimes, m_bodyTimes;
    std::vector<TimeSpan> m_spans; // of the phases
    std::vector<std::array<BandStatisticsAccumulator, 3>> m_phaseSensations;
    std::vector<std::array<RunFiguresAccumulator, BodyQuantityCount>> m_phaseBody;
    std::vector<std::vector<ThresholdAccumulator>> m_thresholds;
    std::vector<InterpolationAtTimes> m_measured;
};

} // namespace tessaplot
