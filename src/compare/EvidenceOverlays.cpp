// The evidence as layers of the base pictures: each draw asks the comparison's evidence
// as it is then, so a file added or changed on disk, or phases and thresholds set, show
// at the next draw and nothing of them stays once they are gone.
#include "compare/EvidenceOverlays.h"

#include "app/Temp.h"
#include "comfort/ComfortChartGeometry.h"
#include "comfort/ComfortOverlays.h"
#include "comfort/ComfortState.h"
#include "compare/Comparison.h"
#include "compare/EvidenceGeometry.h"
#include "compare/OverlayDrawing.h"
#include "compare/OverlayGeometry.h"
#include "fieldview/FieldOverlays.h"
#include "fieldview/FieldViewState.h"
#include "gl/BitmapFont.h"
#include "gl/DrawingState.h"
#include "gl/GlPanel.h"
#include "section2d/Image2d.h"
#include "section2d/SectionOverlays.h"

#include <GL/gl.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <utility>

namespace tessaplot {

namespace {

// Behind the BodyProperty curve (z = 0); between the comfort chart's stripes (z = 0) and
// its curve (CurveZ).
constexpr float kBodyBandZ = -0.01f;
constexpr float kComfortBandZ = CurveZ / 2.0f;
// Just under the mesh's floor grid (z = 0).
constexpr float kMeshFloorZ = -0.003f;
// In front of every curve.
constexpr float kMarkerZ = 2.0f * CurveZ;
constexpr float kMarkerSize = 7.0f; // window pixels
constexpr float kThresholdWidth = 2.0f;
constexpr RunColour kThresholdColour{0.75f, 0.0f, 0.0f};
// Above the BodyProperty plot, under its caption and over the phases' names, where a
// file's long name has room (the runs' legend right of the plot has little).
constexpr float kLegendLine = 0.065f;
constexpr LegendLayout kBodyLegend{0.3f, 1.1f, kLegendLine, 0.5f, 1};
// On the comfort chart the files' lines go on after the compared runs' (the layout of
// their legend above the plot, right of its title), so that neither covers the other.
constexpr LegendLayout kComfortLegend{0.64f, 1.17f, kLegendLine, 0.36f, 3};
// How often a picture looks at the measured files' identity.
constexpr std::chrono::milliseconds kFollowInterval{200};

std::optional<EvidenceQuantity> bodyQuantityShown(const TForm1& form) {
    const KeptFieldTable& table = form.fieldViewState->keptTable;
    if (table.keptLoad() == nullptr || table.request().rules != ReadingRules::BodyProperty)
        return std::nullopt;
    return EvidenceQuantity{EvidenceQuantity::Source::Body, table.request().dataColumn - 1};
}

bool hasAnythingFor(const Evidence& evidence, EvidenceQuantity quantity) {
    return !evidence.phases().empty() || !SeriesOf(evidence, quantity).empty() ||
           !ThresholdsOn(evidence, quantity).empty();
}

void drawBands(const std::vector<BandPlace>& bands, float z, bool translucent) {
    if (bands.empty())
        return;
    if (translucent) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    for (std::size_t i = 0; i < bands.size(); ++i) {
        // Neighbouring phases told apart by their shade.
        const float grey = i % 2 == 0 ? 0.90f : 0.82f;
        if (translucent)
            glColor4f(1.0f, 1.0f, 1.0f, i % 2 == 0 ? 0.45f : 0.25f);
        else
            glColor3f(grey, grey, grey);
        glBegin(GL_QUADS);
        glVertex3f(bands[i].x0, 0.0f, z);
        glVertex3f(bands[i].x1, 0.0f, z);
        glVertex3f(bands[i].x1, 1.0f, z);
        glVertex3f(bands[i].x0, 1.0f, z);
        glEnd();
    }
    if (translucent)
        glDisable(GL_BLEND);
    GLint fontBefore = 0;
    glGetIntegerv(GL_LIST_BASE, &fontBefore);
    UseFont(kViewFontBase);
    glColor3f(0.25f, 0.25f, 0.25f);
    for (const BandPlace& band : bands)
        DrawLabel(band.x0 + 0.01f, 1.02f, 0.0f, band.name);
    glListBase(static_cast<GLuint>(fontBefore));
}

// On a mesh the time axis runs along y: the phases lie on its floor, under the mesh,
// named in front of its near edge.
void drawFloorBands(const std::vector<BandPlace>& bands) {
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const float grey = i % 2 == 0 ? 0.90f : 0.82f;
        glColor3f(grey, grey, grey);
        glBegin(GL_QUADS);
        glVertex3f(0.0f, bands[i].x0, kMeshFloorZ);
        glVertex3f(1.0f, bands[i].x0, kMeshFloorZ);
        glVertex3f(1.0f, bands[i].x1, kMeshFloorZ);
        glVertex3f(0.0f, bands[i].x1, kMeshFloorZ);
        glEnd();
    }
    GLint fontBefore = 0;
    glGetIntegerv(GL_LIST_BASE, &fontBefore);
    UseFont(kViewFontBase);
    glColor3f(0.25f, 0.25f, 0.25f);
    for (const BandPlace& band : bands)
        DrawLabel(1.02f, band.x0 + 0.02f, 0.0f, band.name);
    glListBase(static_cast<GLuint>(fontBefore));
}

void drawThresholds(const std::vector<double>& ys) {
    if (ys.empty())
        return;
    glColor3f(kThresholdColour.r, kThresholdColour.g, kThresholdColour.b);
    SetLineWidth(kThresholdWidth);
    BeginStippledLines(3, 0xF0F0);
    glBegin(GL_LINES);
    for (double y : ys)
        if (y >= 0.0 && y <= 1.0) {
            glVertex3f(0.0f, static_cast<float>(y), kMarkerZ);
            glVertex3f(1.0f, static_cast<float>(y), kMarkerZ);
        }
    glEnd();
    EndStippledLines();
    SetLineWidth(1.0f);
}

// Device pixels one unit of the picture takes along x and y, from the matrices and the
// viewport it is drawn with (a flat picture: no turn).
std::pair<double, double> pixelsPerUnit() {
    GLdouble modelView[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    // Only the scale of each axis matters: column-major, the diagonal of the product.
    const double sx = projection[0] * modelView[0] + projection[4] * modelView[1];
    const double sy = projection[1] * modelView[4] + projection[5] * modelView[5];
    return {std::abs(sx) * viewport[2] / 2.0, std::abs(sy) * viewport[3] / 2.0};
}

void drawMarkers(const std::vector<MarkerPlace>& markers, const RunColour& colour) {
    glColor3f(colour.r, colour.g, colour.b);
    SetLineWidth(1.0f);
    glBegin(GL_LINES);
    for (const MarkerPlace& m : markers)
        if (m.whisker) {
            glVertex3f(m.x, m.low, kMarkerZ);
            glVertex3f(m.x, m.high, kMarkerZ);
        }
    glEnd();
    // Squares of kMarkerSize window pixels, as polygons, so that vector files keep
    // their size too.
    const auto [perUnitX, perUnitY] = pixelsPerUnit();
    const double half = kMarkerSize / 2.0 * PixelScale();
    const auto hx = static_cast<float>(perUnitX > 0 ? half / perUnitX : 0.0);
    const auto hy = static_cast<float>(perUnitY > 0 ? half / perUnitY : 0.0);
    glBegin(GL_QUADS);
    for (const MarkerPlace& m : markers) {
        glVertex3f(m.x - hx, m.y - hy, kMarkerZ);
        glVertex3f(m.x + hx, m.y - hy, kMarkerZ);
        glVertex3f(m.x + hx, m.y + hy, kMarkerZ);
        glVertex3f(m.x - hx, m.y + hy, kMarkerZ);
    }
    glEnd();
}

// Everything the evidence lays over one picture of `quantity` on `axes`.
void drawEvidence(const Evidence& evidence, EvidenceQuantity quantity, const PlotAxes& axes,
                  float bandZ, bool translucentBands, const LegendLayout& legendLayout,
                  int legendFirstLine) {
    drawBands(PlaceBands(evidence.phases(), axes), bandZ, translucentBands);
    std::vector<double> ys;
    for (const Threshold& threshold : ThresholdsOn(evidence, quantity))
        ys.push_back(axes.y(threshold.value));
    drawThresholds(ys);
    std::vector<LegendEntry> legend;
    for (const MatchedSeries& matched : SeriesOf(evidence, quantity)) {
        drawMarkers(PlaceMarkers(*matched.series, axes), matched.file->colour);
        legend.push_back({matched.file->name, matched.file->colour});
    }
    if (legend.empty())
        return;
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const LegendPlace at = LegendLinePlace(legendLayout, legendFirstLine + static_cast<int>(i));
        DrawLegend({legend[i]}, {at.x, at.y, legendLayout.lineHeight, 0.0f, 1}, kMarkerSize);
    }
    glColor3f(0.0f, 0.0f, 0.0f);
}

// Looks at the measured files at most every kFollowInterval; true when any changed.
bool followFiles(Evidence& evidence) {
    static auto last = std::chrono::steady_clock::time_point{};
    const auto now = std::chrono::steady_clock::now();
    if (evidence.measured().empty() || now - last < kFollowInterval)
        return false;
    last = now;
    return evidence.followMeasured();
}

class EvidenceFieldOverlay : public FieldOverlay {
public:
    void shape(TForm1& form, ShownField& shown) override {
        const std::optional<EvidenceQuantity> quantity = bodyQuantityShown(form);
        const Evidence& evidence = form.comparison->evidence;
        if (shown.inputs.threeD || !quantity || shown.points.empty() ||
            !hasAnythingFor(evidence, *quantity))
            return;
        // The measured points and the limits lie on the value axis with the curves.
        std::vector<const MeasuredSeries*> series;
        for (const MatchedSeries& matched : SeriesOf(evidence, *quantity))
            series.push_back(matched.series);
        std::vector<double> limits;
        for (const Threshold& threshold : ThresholdsOn(evidence, *quantity))
            limits.push_back(threshold.value);
        double low = form.ValueMin, high = form.ValueMax;
        WidenValueRange(low, high, series, limits);
        if (low == form.ValueMin && high == form.ValueMax)
            return;
        form.ValueMin = static_cast<float>(low);
        form.ValueMax = static_cast<float>(high);
        form.ValueSpan = AxisSpan(form.ValueMin, form.ValueMax);
        shown = StoreField(form, shown.inputs);
    }
    void drawOver(TForm1& form, const ShownField& shown) override {
        m_drawnKey = form.comparison->evidence.key();
        const Comparison& comparison = *form.comparison;
        if (shown.inputs.threeD && !shown.points.empty() && !comparison.evidence.phases().empty()) {
            const PlotAxes time{shown.extents.TimeMin, shown.extents.TimeSpan, 0.0, 1.0};
            drawFloorBands(PlaceBands(comparison.evidence.phases(), time));
            return;
        }
        const std::optional<EvidenceQuantity> quantity = bodyQuantityShown(form);
        if (shown.inputs.threeD || !quantity || shown.points.empty())
            return;
        const PlotAxes axes{shown.extents.TimeMin, shown.extents.TimeSpan, shown.extents.ValueMin,
                            shown.extents.ValueSpan};
        drawEvidence(comparison.evidence, *quantity, axes, kBodyBandZ, false, kBodyLegend, 0);
    }
    bool follow(TForm1& form) override {
        Evidence& evidence = form.comparison->evidence;
        followFiles(evidence);
        const FieldViewState& state = *form.fieldViewState;
        if (evidence.key() == m_drawnKey || !state.shownField || state.shownPanel != form.ViewDC ||
            (!state.shownField->threeD && !bodyQuantityShown(form)))
            return false;
        RedrawShownFieldPicture(form, form.ViewDC);
        return true;
    }

private:
    std::vector<std::uint64_t> m_drawnKey;
};

class EvidenceComfortOverlay : public ComfortOverlay {
public:
    void refresh(TForm1& form, ComfortFileReader::Clock::time_point) override {
        followFiles(form.comparison->evidence);
    }
    void key(const TForm1& form, std::vector<std::uint64_t>& key) const override {
        const std::vector<std::uint64_t> evidence = form.comparison->evidence.key();
        key.insert(key.end(), evidence.begin(), evidence.end());
    }
    void drawOver(TForm1& form, ComfortQuantity quantity, float endTime) override {
        const Comparison& comparison = *form.comparison;
        if (comparison.evidence.empty() || endTime <= 0.0f)
            return;
        const PlotAxes axes{0.0, endTime, 0.0, 100.0};
        drawEvidence(comparison.evidence,
                     {EvidenceQuantity::Source::Comfort, static_cast<int>(quantity)}, axes,
                     kComfortBandZ, true, kComfortLegend,
                     comparison.empty() ? 0 : static_cast<int>(comparison.size()) + 1);
    }
};

// A section through one position is a curve over time: the phases lie along it.
class EvidenceSectionOverlay : public SectionOverlay {
public:
    explicit EvidenceSectionOverlay(TForm1& form) : m_form(form) {}
    void drawOver(const Section& opened, const SectionExtents& extents) override {
        const Evidence& evidence = m_form.comparison->evidence;
        if (opened.kind != SectionKind::Position || opened.points.empty() ||
            evidence.phases().empty())
            return;
        const PlotAxes axes{extents.xMin, extents.xSpan, extents.valueMin, extents.valueSpan};
        // The section's unit square starts at the frame's origin.
        glPushMatrix();
        glTranslatef(kSectionFrameOrigin[0], kSectionFrameOrigin[1], 0.0f);
        drawBands(PlaceBands(evidence.phases(), axes), kBodyBandZ, false);
        glPopMatrix();
    }

private:
    TForm1& m_form;
};

} // namespace

void AttachEvidenceOverlays(TForm1& form, TForm3& imageWindow) {
    form.fieldViewState->overlays.push_back(std::make_shared<EvidenceFieldOverlay>());
    form.comfortState->overlays.push_back(std::make_shared<EvidenceComfortOverlay>());
    imageWindow.Overlays.push_back(std::make_shared<EvidenceSectionOverlay>(form));
}

} // namespace tessaplot
