#include "compare/EvidenceRows.h"

#include "comfort/SensationBands.h"
#include "dataset/FieldPoint.h"
#include "evidence/TimeSpan.h"
#include "evidence/Validation.h"
#include "text/GeneralForm.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tessaplot {

namespace {

// The whole time, or one phase of the protocol.
struct Period {
    std::string label; // "" for the whole time
    std::optional<TimeSpan> span;
    const Phase* phase = nullptr;
};

std::vector<Period> periodsOf(const Evidence& evidence) {
    std::vector<Period> periods{{"", std::nullopt, nullptr}};
    const std::vector<Phase>& phases = evidence.phases();
    for (std::size_t i = 0; i < phases.size(); ++i)
        periods.push_back({phases[i].name, PhaseSpan(phases, i), &phases[i]});
    return periods;
}

std::string rowName(const std::string& figure, const std::string& unit, const Period& period) {
    std::string name = figure + (unit.empty() ? "" : " " + unit);
    return period.label.empty() ? name : period.label + ": " + name;
}

std::string number(double value, const RunTableChoice& choice) {
    return ShortestDecimalForm(static_cast<float>(value), choice.decimalSeparator);
}

std::string percent(double share) {
    return std::to_string(static_cast<int>(std::lround(share * 100.0))) + " %";
}

// What a run's cell says instead of a figure over `period`, or "" when it has one.
std::string insteadOf(const CurveView& curve, const Period& period) {
    if (curve.empty())
        return "No records.";
    if (period.phase != nullptr && ReachOf(*period.phase, curve.time(0),
                                           curve.time(curve.size() - 1)) == PhaseReach::NotReached)
        return "not reached";
    return {};
}

// What the first figure of a phase's block adds when the run covers only part of it.
std::string partNote(const CurveView& curve, const Period& period) {
    if (period.phase == nullptr ||
        ReachOf(*period.phase, curve.time(0), curve.time(curve.size() - 1)) != PhaseReach::Partly)
        return {};
    return " (the run covers part of the phase)";
}

void pushRows(TextTable& table, const std::vector<std::string>& names) {
    for (const std::string& name : names)
        table.push_back({name});
}

void heading(TextTable& table, std::size_t width, std::string text) {
    std::vector<std::string> row(width);
    row[0] = std::move(text);
    table.push_back(std::move(row));
}

void validationRows(TextTable& table, const std::vector<CurveView>& curves,
                    const MatchedSeries& matched, EvidenceQuantity quantity,
                    const Evidence& evidence, const RunTableChoice& choice) {
    const std::string unit = QuantityUnit(quantity);
    const std::optional<double> tolerance = evidence.toleranceOf(quantity);
    heading(table, curves.size() + 1,
            "Measured " + matched.file->name + ": " + matched.series->name);
    for (const Period& period : periodsOf(evidence)) {
        const std::size_t first = table.size();
        std::vector<std::string> names{
            rowName("Points compared", "", period), rowName("Bias", unit, period),
            rowName("SD of the differences", unit, period), rowName("RMSE", unit, period),
            rowName("Largest difference", unit, period)};
        if (tolerance)
            names.push_back(rowName("Within ±" + number(*tolerance, choice), unit, period));
        pushRows(table, names);
        for (const CurveView& curve : curves) {
            std::vector<std::string> cells(names.size());
            cells[0] = insteadOf(curve, period);
            if (cells[0].empty()) {
                const ValidationFigures f = ComputeValidation(
                    curve, matched.series->times, matched.series->values, tolerance, period.span);
                cells[0] = std::to_string(f.counted);
                if (f.outsideRun > 0)
                    cells[0] += " (" + std::to_string(f.outsideRun) + " outside the run)";
                cells[0] += partNote(curve, period);
                const auto put = [&](std::size_t at, const std::optional<double>& v) {
                    cells[at] = v ? number(*v, choice) : std::string("-");
                };
                put(1, f.bias);
                put(2, f.deviation);
                put(3, f.rmse);
                put(4, f.largest);
                if (f.largest && f.largestAt)
                    cells[4] += " at " + number(*f.largestAt, choice) + " min.";
                if (tolerance)
                    cells[5] = f.shareWithin ? percent(*f.shareWithin) : std::string("-");
            }
            for (std::size_t r = 0; r < cells.size(); ++r)
                table[first + r].push_back(cells[r]);
        }
    }
}

void thresholdRows(TextTable& table, const std::vector<CurveView>& curves,
                   const Threshold& threshold, const std::string& text, const Evidence& evidence,
                   const RunTableChoice& choice) {
    heading(table, curves.size() + 1, "Threshold: " + text);
    for (const Period& period : periodsOf(evidence)) {
        const std::size_t first = table.size();
        pushRows(table, {rowName("First crossing", "(min.)", period),
                         rowName("Time beyond", "(min.)", period), rowName("Entries", "", period)});
        for (const CurveView& curve : curves) {
            std::vector<std::string> cells(3);
            cells[0] = insteadOf(curve, period);
            if (cells[0].empty()) {
                const ThresholdFigures f = ComputeThresholdFigures(curve, threshold, period.span);
                cells[0] = (f.firstTime ? number(*f.firstTime, choice) : std::string("never")) +
                           partNote(curve, period);
                cells[1] = number(f.timeInside, choice);
                cells[2] = std::to_string(f.entries);
            }
            for (std::size_t r = 0; r < cells.size(); ++r)
                table[first + r].push_back(cells[r]);
        }
    }
}

// The records of a run that lie in `span`.
template <typename Record>
std::span<const Record> cut(std::span<const Record> records, const TimeSpan& span) {
    const CurveView view(records, &Record::Time, &Record::Time);
    const RecordRange range = RecordsInSpan(view, span);
    return records.subspan(range.begin, range.end - range.begin);
}

} // namespace

std::string QuantityUnit(EvidenceQuantity quantity) {
    const std::string_view name = EvidenceQuantityName(quantity);
    const std::size_t open = name.rfind('(');
    return open == std::string_view::npos ? std::string() : std::string(name.substr(open));
}

CurveView BodyCurveOf(const RunTableInput& run) {
    if (!run.bodyProblem.empty())
        return {};
    return CurveView(run.body, &FieldPoint::Time, &FieldPoint::Value);
}

CurveView SensationCurveOf(const RunTableInput& run, int sensationItem) {
    if (!run.comfortProblem.empty() || !IsComfortQuantity(sensationItem))
        return {};
    static constexpr float ComfortRecord::*members[] = {&ComfortRecord::ThermalSensation,
                                                        &ComfortRecord::DampnessSensation,
                                                        &ComfortRecord::ComfortValue};
    return CurveView(run.comfort, &ComfortRecord::Time, members[sensationItem]);
}

void AppendEvidenceRows(TextTable& table, std::span<const RunTableInput> runs,
                        const RunTableChoice& choice, const Evidence& evidence) {
    if (runs.empty())
        return;
    // The table's own sections again over each phase's records.
    for (std::size_t i = 0; i < evidence.phases().size(); ++i) {
        const Phase& phase = evidence.phases()[i];
        const TimeSpan span = PhaseSpan(evidence.phases(), i);
        std::vector<RunTableInput> cutRuns(runs.begin(), runs.end());
        for (RunTableInput& run : cutRuns) {
            const auto reach = [&](bool any, float first, float last) {
                return any ? ReachOf(phase, first, last) : PhaseReach::Fully;
            };
            if (run.comfortProblem.empty() &&
                reach(!run.comfort.empty(), run.comfort.empty() ? 0 : run.comfort.front().Time,
                      run.comfort.empty() ? 0 : run.comfort.back().Time) == PhaseReach::NotReached)
                run.comfortProblem = "not reached";
            else if (run.comfortProblem.empty())
                run.comfort = cut(run.comfort, span);
            if (run.bodyProblem.empty() &&
                reach(!run.body.empty(), run.body.empty() ? 0 : run.body.front().Time,
                      run.body.empty() ? 0 : run.body.back().Time) == PhaseReach::NotReached)
                run.bodyProblem = "not reached";
            else if (run.bodyProblem.empty())
                run.body = cut(run.body, span);
        }
        TextTable part = RunComparisonTable(cutRuns, choice);
        const auto isHeading = [&part](std::size_t r) {
            return r < part.size() &&
                   std::all_of(part[r].begin() + 1, part[r].end(),
                               [](const std::string& cell) { return cell.empty(); }) &&
                   part[r][0].find(": ") != std::string::npos;
        };
        for (std::size_t r = 1; r < part.size(); ++r) {
            // A section with no rows (nothing chosen on its page) is said once, above.
            if (isHeading(r) && (r + 1 == part.size() || isHeading(r + 1)))
                continue;
            part[r][0] = phase.name + (isHeading(r) ? " phase, " : ": ") + part[r][0];
            table.push_back(std::move(part[r]));
        }
    }

    struct Shown {
        EvidenceQuantity quantity;
        std::vector<CurveView> curves;
    };
    std::vector<Shown> shown;
    if (IsComfortQuantity(choice.sensationItem)) {
        Shown s{{EvidenceQuantity::Source::Comfort, choice.sensationItem}, {}};
        for (const RunTableInput& run : runs)
            s.curves.push_back(SensationCurveOf(run, choice.sensationItem));
        shown.push_back(std::move(s));
    }
    if (choice.bodyItem >= 0) {
        Shown s{{EvidenceQuantity::Source::Body, choice.bodyItem}, {}};
        for (const RunTableInput& run : runs)
            s.curves.push_back(BodyCurveOf(run));
        shown.push_back(std::move(s));
    }
    for (const Shown& s : shown) {
        for (const MatchedSeries& matched : SeriesOf(evidence, s.quantity))
            validationRows(table, s.curves, matched, s.quantity, evidence, choice);
        for (std::size_t t = 0; t < evidence.thresholds().size(); ++t)
            if (evidence.thresholds()[t].quantity == s.quantity)
                thresholdRows(table, s.curves, evidence.thresholds()[t],
                              evidence.thresholdTexts()[t], evidence, choice);
    }
}

} // namespace tessaplot
