#include "compare/OverlayExport.h"

#include "app/Temp.h"
#include "comfort/ComfortChartGeometry.h"
#include "compare/Comparison.h"
#include "compare/OverlayGeometry.h"
#include "compare/SectionOverlay.h"
#include "export/ExportTargets.h"
#include "fieldview/FieldViewState.h"
#include "section2d/Image2d.h"

#include <algorithm>
#include <optional>

namespace tessaplot {

namespace {

void startLongTable(ExportTarget& target, const std::string& x, const std::string& y) {
    target.header = {"Run", x, y};
    target.runs.clear();
    target.columns.assign(2, {});
}

void addRow(ExportTarget& target, const std::string& run, float x, float y) {
    target.runs.push_back(run);
    target.columns[0].push_back(x);
    target.columns[1].push_back(y);
}

template <typename Records>
std::span<const typename Records::value_type> counted(const Records& records, int count) {
    return {records.data(), std::min(records.size(), static_cast<std::size_t>(std::max(count, 0)))};
}

// The measured series laid against `quantity`, each row under its file's name.
void addMeasuredRows(const Evidence& evidence, EvidenceQuantity quantity, ExportTarget& target) {
    for (const MatchedSeries& matched : SeriesOf(evidence, quantity))
        for (std::size_t i = 0; i < matched.series->times.size(); ++i)
            addRow(target, matched.file->name, static_cast<float>(matched.series->times[i]),
                   static_cast<float>(matched.series->values[i]));
}

std::optional<EvidenceQuantity> bodyQuantityOf(const TForm1& form) {
    const KeptFieldTable& table = form.fieldViewState->keptTable;
    if (table.keptLoad() == nullptr || table.request().rules != ReadingRules::BodyProperty)
        return std::nullopt;
    return EvidenceQuantity{EvidenceQuantity::Source::Body, table.request().dataColumn - 1};
}

} // namespace

bool ComparedBodyTable(const TForm1& form, bool fieldShown, const std::string& variable,
                       ExportTarget& target) {
    const Comparison& comparison = *form.comparison;
    const std::optional<EvidenceQuantity> quantity = bodyQuantityOf(form);
    const bool measured =
        fieldShown && quantity && !SeriesOf(comparison.evidence, *quantity).empty();
    if (comparison.empty() && !measured)
        return false;
    startLongTable(target, "Time (min.)", variable);
    if (!fieldShown)
        return true;
    for (const FieldPoint& p : counted(form.FieldPoints, form.PointCount))
        addRow(target, OpenedRunName(comparison), p.Time, p.Value);
    for (std::size_t i = 0; i < comparison.size(); ++i)
        for (const FieldPoint& p : comparison.run(i).bodyTable.records())
            addRow(target, comparison.run(i).name, p.Time, p.Value);
    if (measured)
        addMeasuredRows(comparison.evidence, *quantity, target);
    return true;
}

bool ComparedComfortTable(const TForm1& form, int quantityItem, ExportTarget& target) {
    const Comparison& comparison = *form.comparison;
    if (!IsComfortQuantity(quantityItem))
        return false;
    const EvidenceQuantity measuredQuantity{EvidenceQuantity::Source::Comfort, quantityItem};
    const bool measured = !SeriesOf(comparison.evidence, measuredQuantity).empty();
    if (comparison.empty() && !measured)
        return false;
    const auto quantity = static_cast<ComfortQuantity>(quantityItem);
    startLongTable(target, "Time (min.)", std::string(ComfortChartTitle(quantity)));
    for (const ComfortRecord& r : counted(form.ComfortRecords, form.ComfortCount))
        addRow(target, OpenedRunName(comparison), r.Time, QuantityValue(r, quantity));
    for (std::size_t i = 0; i < comparison.size(); ++i)
        for (const ComfortRecord& r : comparison.run(i).comfort.records())
            addRow(target, comparison.run(i).name, r.Time, QuantityValue(r, quantity));
    if (measured)
        addMeasuredRows(comparison.evidence, measuredQuantity, target);
    return true;
}

bool ComparedSectionTable(const TForm3& window, ExportTarget& target) {
    if (Form1 == nullptr)
        return false;
    // Cut from the runs compared now, as the next paint cuts them.
    SectionExtents extents = window.ShownExtents;
    const std::vector<ComparedCurve> compared = CutComparedSections(window.ShownSection, extents);
    if (compared.empty())
        return false;
    startLongTable(target, window.XTitle, window.YTitle);
    for (const SectionPoint& p : window.ShownSection.points)
        addRow(target, OpenedRunName(*Form1->comparison), p.x, p.y);
    for (const ComparedCurve& curve : compared)
        for (const SectionPoint& p : curve.points)
            addRow(target, curve.name, p.x, p.y);
    return true;
}

} // namespace tessaplot
