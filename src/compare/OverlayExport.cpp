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

} // namespace

bool ComparedBodyTable(const TForm1& form, bool fieldShown, const std::string& variable,
                       ExportTarget& target) {
    const Comparison& comparison = *form.comparison;
    if (comparison.empty())
        return false;
    startLongTable(target, "Time (min.)", variable);
    if (!fieldShown)
        return true;
    for (const FieldPoint& p : counted(form.FieldPoints, form.PointCount))
        addRow(target, OpenedRunName(comparison), p.Time, p.Value);
    for (std::size_t i = 0; i < comparison.size(); ++i)
        for (const FieldPoint& p : comparison.run(i).bodyTable.records())
            addRow(target, comparison.run(i).name, p.Time, p.Value);
    return true;
}

bool ComparedComfortTable(const TForm1& form, int quantityItem, ExportTarget& target) {
    const Comparison& comparison = *form.comparison;
    if (comparison.empty() || !IsComfortQuantity(quantityItem))
        return false;
    const auto quantity = static_cast<ComfortQuantity>(quantityItem);
    startLongTable(target, "Time (min.)", std::string(ComfortChartTitle(quantity)));
    for (const ComfortRecord& r : counted(form.ComfortRecords, form.ComfortCount))
        addRow(target, OpenedRunName(comparison), r.Time, QuantityValue(r, quantity));
    for (std::size_t i = 0; i < comparison.size(); ++i)
        for (const ComfortRecord& r : comparison.run(i).comfort.records())
            addRow(target, comparison.run(i).name, r.Time, QuantityValue(r, quantity));
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
