#include "compare/CurveOverlay.h"

#include "app/Temp.h"
#include "comfort/ComfortChartGeometry.h"
#include "compare/Comparison.h"
#include "compare/OverlayDrawing.h"
#include "compare/OverlayGeometry.h"
#include "fieldview/FieldViewState.h"
#include "gl/DrawingState.h"
#include "gl/GlPanel.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace tessaplot {

namespace {

// The original's BodyProperty curve is red; on the comfort chart it is black.
constexpr RunColour kOpenedBodyColour{1.0f, 0.0f, 0.0f};

// Right of the BodyProperty plot, where the time axis has ended: no record lies there.
constexpr LegendLayout kBodyLegend{1.04f, 0.96f, 0.065f, 0.0f,
                                   static_cast<int>(Comparison::MaxRuns)};
// Above the comfort chart's plot, right of its title: no record lies there either.
constexpr LegendLayout kComfortLegend{0.64f, 1.17f, 0.065f, 0.36f, 3};

// A compared run's curve in chart units, kept while its records and axes stay.
struct KeptCurve {
    std::uint64_t runSerial = 0;
    std::uint64_t recordsGeneration = 0;
    float axes[4] = {0, 0, 0, 0};
    int quantity = -1;
    bool built = false;
    std::vector<float> xy;
    // What the last view drew of it.
    ShownPolyline shown;

    bool holds(std::uint64_t serial, std::uint64_t records, const float (&key)[4],
               int keyQuantity) const {
        return built && runSerial == serial && recordsGeneration == records &&
               std::equal(std::begin(axes), std::end(axes), std::begin(key)) &&
               quantity == keyQuantity;
    }
    void keep(std::uint64_t serial, std::uint64_t records, const float (&key)[4], int keyQuantity) {
        runSerial = serial;
        recordsGeneration = records;
        std::copy(std::begin(key), std::end(key), std::begin(axes));
        quantity = keyQuantity;
        built = true;
        shown.valid = false;
    }
};

std::vector<KeptCurve>& keptBodyCurves() {
    static std::vector<KeptCurve> curves;
    return curves;
}

std::vector<KeptCurve>& keptComfortCurves() {
    static std::vector<KeptCurve> curves;
    return curves;
}

KeptCurve& keptCurve(std::vector<KeptCurve>& curves, std::size_t index) {
    if (curves.size() <= index)
        curves.resize(index + 1);
    return curves[index];
}

} // namespace

void SpanComparedBodyCurves(TForm1& form) {
    const KeptFieldTable& table = form.fieldViewState->keptTable;
    const FieldLoad* own = table.keptLoad();
    if (own == nullptr || table.request().rules != ReadingRules::BodyProperty)
        return;
    Comparison& comparison = *form.comparison;
    float timeMin = own->TimeMin, timeMax = own->TimeMax, timeSpan = own->TimeSpan;
    float valueMin = own->ValueMin, valueMax = own->ValueMax, valueSpan = own->ValueSpan;
    if (!comparison.empty()) {
        CurveBounds bounds = BoundsOf(*own);
        for (std::size_t i = 0; i < comparison.size(); ++i) {
            ComparedRun& run = comparison.run(i);
            bounds = SpanBounds(bounds, BoundsOf(run.bodyTable.read(
                                            run.tablePath("BodyProperty.dat"), table.request())));
        }
        timeMin = bounds.timeMin;
        timeMax = bounds.timeMax;
        timeSpan = AxisSpan(timeMin, timeMax);
        valueMin = bounds.valueMin;
        valueMax = bounds.valueMax;
        valueSpan = AxisSpan(valueMin, valueMax);
    }
    // The opened run's curve is built on these.
    form.TimeMin = timeMin;
    form.TimeMax = timeMax;
    form.TimeSpan = timeSpan;
    form.ValueMin = valueMin;
    form.ValueMax = valueMax;
    form.ValueSpan = valueSpan;
}

void DrawComparedBodyCurves(TForm1& form) {
    Comparison& comparison = *form.comparison;
    const KeptFieldTable& table = form.fieldViewState->keptTable;
    if (comparison.empty() || table.keptLoad() == nullptr ||
        table.request().rules != ReadingRules::BodyProperty)
        return;
    const FieldExtents extents{form.TimeMin, form.TimeSpan, 0.0f,
                               1.0f,         form.ValueMin, form.ValueSpan};
    const float axes[4] = {form.TimeMin, form.TimeSpan, form.ValueMin, form.ValueSpan};
    std::vector<LegendEntry> legend{{OpenedRunName(comparison), kOpenedBodyColour}};
    for (std::size_t i = 0; i < comparison.size(); ++i) {
        ComparedRun& run = comparison.run(i);
        const std::span<const FieldPoint> records = run.bodyTable.records();
        legend.push_back(
            {LegendText(run.name, records.empty() ? RunProblemWord(run.bodyTable.load.problem)
                                                  : std::string()),
             run.colour});
        KeptCurve& curve = keptCurve(keptBodyCurves(), i);
        if (!curve.holds(run.serial, run.bodyTable.generation(), axes, 0)) {
            curve.xy.clear();
            curve.xy.reserve(records.size() * 2);
            for (const FieldPoint& p : records)
                curve.xy.insert(curve.xy.end(), {(p.Time - extents.TimeMin) / extents.TimeSpan,
                                                 (p.Value - extents.ValueMin) / extents.ValueSpan});
            curve.keep(run.serial, run.bodyTable.generation(), axes, 0);
        }
        DrawRunPolyline(curve.xy, run.colour, curve.shown);
    }
    DrawLegend(legend, kBodyLegend, 1.0f);
}

float SharedComfortEndTime(TForm1& form, float ownEndTime) {
    Comparison& comparison = *form.comparison;
    if (comparison.empty())
        return ownEndTime;
    std::vector<float> ends{ownEndTime};
    for (std::size_t i = 0; i < comparison.size(); ++i) {
        ComparedRun& run = comparison.run(i);
        // A run the refresh never read yet is read whole: the first picture with it
        // already shows it.
        if (run.comfort.generation == 0 && !run.comfort.reader.readPending())
            run.comfort.refresh(run.tablePath("Comfort.dat"));
        if (!run.comfort.records().empty())
            ends.push_back(run.comfort.last.endTime);
    }
    return SharedEndTime(ends);
}

void DrawComparedComfortCurves(TForm1& form, ComfortQuantity quantity, float endTime) {
    Comparison& comparison = *form.comparison;
    if (comparison.empty())
        return;
    const float axes[4] = {endTime, 0.0f, 0.0f, 0.0f};
    std::vector<LegendEntry> legend{{OpenedRunName(comparison), Comparison::OpenedColour}};
    std::vector<ChartPoint> points;
    SetLineWidth(CurveWidth);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, CurveZ);
    for (std::size_t i = 0; i < comparison.size(); ++i) {
        ComparedRun& run = comparison.run(i);
        const std::span<const ComfortRecord> records = run.comfort.records();
        legend.push_back(
            {LegendText(run.name, records.empty() ? RunProblemWord(run.comfort.reader.problem())
                                                  : std::string()),
             run.colour});
        KeptCurve& curve = keptCurve(keptComfortCurves(), i);
        if (!curve.holds(run.serial, run.comfort.generation, axes, static_cast<int>(quantity))) {
            BuildComfortCurve(records, endTime, quantity, points);
            // Two floats to a point, as the chart hands its own curve to OpenGL.
            const float* xy = reinterpret_cast<const float*>(points.data());
            curve.xy.assign(xy, xy + 2 * points.size());
            curve.keep(run.serial, run.comfort.generation, axes, static_cast<int>(quantity));
        }
        DrawRunPolyline(curve.xy, run.colour, curve.shown);
    }
    glPopMatrix();
    SetLineWidth(1.0f);
    DrawLegend(legend, kComfortLegend, 3.0f);
}

void RefreshComparedComfort(TForm1& form, ComfortFileReader::Clock::time_point deadline) {
    Comparison& comparison = *form.comparison;
    const std::size_t count = comparison.size();
    for (std::size_t i = 0; i < count; ++i) {
        // Each run still to read gets an equal share of what is left of the tick; one
        // with nothing new is done in a look at its file.
        const auto now = ComfortFileReader::Clock::now();
        const auto share = deadline > now ? (deadline - now) / static_cast<long>(count - i)
                                          : ComfortFileReader::Clock::duration::zero();
        ComparedRun& run = comparison.run(i);
        run.comfort.refresh(run.tablePath("Comfort.dat"), now + share);
    }
}

bool FollowComparedTables(TForm1& form, std::uint64_t drawnComparison) {
    const Comparison& comparison = *form.comparison;
    FieldViewState& state = *form.fieldViewState;
    if (!state.shownField || state.shownField->threeD || state.keptTable.keptLoad() == nullptr ||
        state.keptTable.request().rules != ReadingRules::BodyProperty)
        return false;
    // A run added or removed since the curve was drawn counts as a change too.
    bool changed = drawnComparison != comparison.generation();
    for (std::size_t i = 0; i < comparison.size() && !changed; ++i)
        changed = comparison.run(i).bodyTable.kept.changedOnDisk();
    if (!changed || form.ViewDC == nullptr || !form.ViewDC->makeSurfaceCurrent())
        return false;
    // Drawn as a navigation step draws it: the opened run's records are kept, the
    // compared run's table is read again by the draw.
    const FieldDrawInputs inputs = *state.shownField;
    form.DrawAxes();
    state.shownPanel = form.ViewDC;
    state.shownField = inputs;
    form.drawField(inputs);
    form.ViewDC->present();
    return true;
}

} // namespace tessaplot
