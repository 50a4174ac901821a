// The drawing half of the field views: mesh, tick labels and titles of the data just
// loaded into the main window.
#include "app/LocaleText.h"
#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "fieldview/ColorBox.h"
#include "fieldview/Colorselection1.h"
#include "fieldview/FieldMesh.h"
#include "fieldview/FieldOverlays.h"
#include "fieldview/FieldViewState.h"
#include "fieldview/FrameGeometry.h"
#include "fieldview/MeshThinning.h"
#include "fieldview/TickLabels.h"
#include "gl/BitmapFont.h"
#include "gl/DrawReduction.h"
#include "gl/GlPanel.h"

#include <QLabel>

#include <GL/gl.h>

#include <algorithm>

namespace tessaplot {

namespace {

bool sameRamp(const ColorRamp& a, const ColorRamp& b) {
    const auto same = [](RampColor x, RampColor y) {
        return x.r == y.r && x.g == y.g && x.b == y.b;
    };
    return same(a.start, b.start) && same(a.end, b.end) && a.whiteAt == b.whiteAt;
}

bool sameExtents(const FieldExtents& a, const FieldExtents& b) {
    return a.TimeMin == b.TimeMin && a.TimeSpan == b.TimeSpan && a.PositionMin == b.PositionMin &&
           a.PositionSpan == b.PositionSpan && a.ValueMin == b.ValueMin &&
           a.ValueSpan == b.ValueSpan;
}

// Builds the mesh of the store (or of the records shown in its place) anew only when
// they, the axes they lie on or the colouring changed.
const KeptFieldMesh& keptMeshFor(TForm1& form, const ShownField& shown) {
    const FieldDrawInputs& inputs = shown.inputs;
    FieldViewState& state = *form.fieldViewState;
    KeptFieldMesh& kept = state.keptMesh;
    const std::uint64_t generation = state.keptTable.generation();
    if (kept.built && kept.storeGeneration == generation &&
        kept.replacedGeneration == shown.replacedGeneration &&
        sameExtents(kept.extents, shown.extents) && kept.threeD == inputs.threeD &&
        sameRamp(kept.ramp, inputs.ramp) && kept.colorAxis == inputs.colorAxis &&
        kept.fixedRange == inputs.fixedRange)
        return kept;
    kept.built = false;
    const FieldExtents& extents = shown.extents;
    const std::optional<FieldExtents> colourExtents = ColourExtents(extents, inputs.fixedRange);
    kept.mesh = inputs.threeD
                    ? BuildFieldMesh(shown.points, shown.positionsPerStep, extents, inputs.ramp,
                                     inputs.colorAxis, colourExtents ? &*colourExtents : nullptr)
                    : BuildBodyCurve(shown.points, extents);
    kept.segments.clear();
    AppendSegmentIndices(kept.mesh, kept.segments);
    kept.storeGeneration = generation;
    kept.replacedGeneration = shown.replacedGeneration;
    kept.extents = extents;
    kept.threeD = inputs.threeD;
    kept.ramp = inputs.ramp;
    kept.colorAxis = inputs.colorAxis;
    kept.fixedRange = inputs.fixedRange;
    ++kept.builds;
    kept.built = true;
    return kept;
}

// The segments to hand to OpenGL: only what the view can show apart (the 3D mesh
// thinned, the 2D curve through the points each pixel column needs), or all of them.
const std::vector<unsigned>& segmentsToDraw(const KeptFieldMesh& kept) {
    if (!DrawReduction())
        return kept.segments;
    static std::vector<unsigned> points, segments;
    if (kept.threeD)
        return ThinFieldMesh(kept.mesh, CurrentWindowMapping(), segments) ? segments
                                                                          : kept.segments;
    const PolylinePoints curve{kept.mesh.vertices.data(), 3,
                               static_cast<std::size_t>(kept.mesh.vertexCount())};
    if (!ReducePolyline(curve, points))
        return kept.segments;
    segments.clear();
    for (std::size_t i = 1; i < points.size(); ++i)
        segments.insert(segments.end(), {points[i - 1], points[i]});
    return segments;
}

// All segments of the mesh in one draw call, from vertex and colour arrays.
void drawMesh(const KeptFieldMesh& kept) {
    const std::vector<unsigned>& segments = segmentsToDraw(kept);
    if (segments.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, kept.mesh.vertices.data());
    glColorPointer(3, GL_FLOAT, 0, kept.mesh.colors.data());
    glDrawElements(GL_LINES, static_cast<GLsizei>(segments.size()), GL_UNSIGNED_INT,
                   segments.data());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

std::string latin1(const QString& text) {
    return text.toLatin1().toStdString();
}

} // namespace

FieldDrawInputs TForm1::fieldDrawInputs() const {
    FieldDrawInputs inputs;
    inputs.threeD = ThreeDView != 0;
    // The dialog's colours are read at every draw: a colour chosen there counts from
    // the next picture on, whichever button closed the dialog.
    inputs.ramp =
        MakeColorRamp(Form2->ColorBox1->SelectedRgb24(), Form2->ColorBox2->SelectedRgb24());
    inputs.colorAxis = Form2->ColorAxis;
    inputs.valueTickPattern = ValueTickPattern(RadioGroup1->ItemIndex(), RadioGroup3->ItemIndex());
    inputs.variableCaption = latin1(ActivePage() == TabSheet1 ? Label4->text() : Label9->text());
    inputs.thicknessCaption = "Thickness (cm)";
    if (ActivePage() == TabSheet3 && RadioGroup3->ItemIndex() >= 0)
        inputs.thicknessCaption = latin1(RadioGroup3->ItemText(RadioGroup3->ItemIndex()));
    for (const auto& overlay : fieldViewState->overlays)
        overlay->addInputs(*this, inputs);
    return inputs;
}

void TForm1::DrawLoadedField() {
    const FieldDrawInputs inputs = fieldDrawInputs();
    fieldViewState->shownPanel = ViewDC;
    fieldViewState->shownField = inputs;
    drawField(inputs);
}

void TForm1::drawField(const FieldDrawInputs& requested) {
    // The loaded records, or what a layer puts in their place or around them.
    ShownField shown = StoreField(*this, requested);
    for (const auto& overlay : fieldViewState->overlays)
        overlay->shape(*this, shown);
    const FieldDrawInputs& inputs = shown.inputs;
    const bool threeD = inputs.threeD;
    const std::size_t count = shown.points.size();
    const KeptFieldMesh& mesh = keptMeshFor(*this, shown);

    const std::string separator = LocaleDecimalSeparator();
    TimeTickLabels = MakeTickLabels(shown.TimeMin, shown.TimeMax, kTimeTickPattern, separator);
    PositionTickLabels =
        MakeTickLabels(shown.PositionMin, shown.PositionMax, kPositionTickPattern, separator);
    ValueTickLabels =
        MakeTickLabels(shown.ValueMin, shown.ValueMax, inputs.valueTickPattern, separator);

    glColor3f(0.0f, 0.0f, 0.0f);
    UseFont(kViewFontBase);
    // A file that could not be read has no extents to label: only its frame shows.
    if (count > 0) {
        for (int i = 0; i < kTickLabelCount; ++i) {
            const float t = TickStep(i);
            const auto at = static_cast<std::size_t>(i);
            if (threeD) {
                DrawLabel(t, -0.2f, 0.0f, PositionTickLabels[at]);
                DrawLabel(1.15f, t, 0.0f, TimeTickLabels[at]);
                DrawLabel(-0.1f, -0.17f, t, ValueTickLabels[at]);
            } else {
                DrawLabel(t, -0.1f, 0.0f, TimeTickLabels[at]);
                DrawLabel(-0.2f, t, 0.0f, ValueTickLabels[at]);
            }
        }
    }

    glColor3f(0.0f, 0.0f, 0.0f);
    TimeCaption = "Time (min.)";
    ThicknessCaption = "Thickness (cm)";
    UseFont(kSystemFontBase);
    if (threeD) {
        VariableCaption = inputs.variableCaption;
        DrawLabel(0.4f, -0.6f, 0.0f, ThicknessCaption);
        DrawLabel(1.3f, 0.4f, 0.0f, TimeCaption);
        DrawLabel(-0.2f, 0.0f, 1.2f, VariableCaption);
    } else {
        ThicknessCaption = inputs.thicknessCaption;
        DrawLabel(0.5f, -0.2f, 0.0f, TimeCaption);
        DrawLabel(-0.15f, 1.23f, 0.0f, ThicknessCaption);
    }

    // The field last, over the frame and the texts.
    drawMesh(mesh);
    for (const auto& overlay : fieldViewState->overlays)
        overlay->drawOver(*this, shown);
}

ShownField StoreField(const TForm1& form, const FieldDrawInputs& inputs) {
    ShownField shown;
    const std::size_t count =
        std::min(form.FieldPoints.size(), static_cast<std::size_t>(std::max(form.PointCount, 0)));
    shown.points = {form.FieldPoints.data(), count};
    shown.positionsPerStep = form.PositionsPerStep;
    shown.TimeMin = form.TimeMin;
    shown.TimeMax = form.TimeMax;
    shown.PositionMin = form.PositionMin;
    shown.PositionMax = form.PositionMax;
    shown.ValueMin = form.ValueMin;
    shown.ValueMax = form.ValueMax;
    shown.extents = {form.TimeMin,      form.TimeSpan, form.PositionMin,
                     form.PositionSpan, form.ValueMin, form.ValueSpan};
    shown.inputs = inputs;
    return shown;
}

void FieldOverlay::addInputs(const TForm1&, FieldDrawInputs&) const {}
void FieldOverlay::shape(TForm1&, ShownField&) {}
void FieldOverlay::drawOver(TForm1&, const ShownField&) {}
bool FieldOverlay::follow(TForm1&) {
    return false;
}

void DrawFieldPage(TForm1& form) {
    GlPanel* surface = form.ViewDC;
    if (surface == nullptr || !surface->makeSurfaceCurrent()) {
        form.RedrawPending = true;
        return;
    }
    if (form.LoadAndDrawField())
        surface->present();
}

void DrawLoadedFieldPage(TForm1& form) {
    GlPanel* surface = form.ViewDC;
    // Without its context yet, the deferred redraw draws it, finding the table kept.
    if (surface == nullptr || !surface->makeSurfaceCurrent()) {
        form.RedrawPending = true;
        return;
    }
    form.DrawAxes();
    form.DrawLoadedField();
    surface->present();
}

void RedrawShownFieldPicture(TForm1& form, GlPanel* surface,
                             const std::function<void(FieldDrawInputs&)>& adjust) {
    FieldViewState& state = *form.fieldViewState;
    if (surface == nullptr || state.shownPanel != surface || !state.shownField ||
        !surface->makeSurfaceCurrent())
        return;
    FieldDrawInputs inputs = *state.shownField;
    if (adjust)
        adjust(inputs);
    form.DrawAxes();
    form.drawField(inputs);
    state.shownPanel = surface;
    state.shownField = inputs;
    surface->present();
}

} // namespace tessaplot
