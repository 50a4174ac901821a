#include "app/RadioGroup.h"
#include "app/Temp.h"
#include "comfort/ComfortOverlays.h"
#include "comfort/ComfortState.h"
#include "fieldview/FieldViewState.h"
#include "gl/DrawReduction.h"
#include "gl/DrawingState.h"
#include "gl/GlPanel.h"
#include "readout/ReadingState.h"
#include "readout/TimeMarkView.h"
#include "section2d/Image2d.h"

#include <QOpenGLContext>
#include <QPoint>

#include <GL/gl.h>

#include <span>

namespace tessaplot {

std::optional<TimeAxis> TimeAxisOfSurface(GlPanel* surface) {
    if (Form1 == nullptr || surface == nullptr)
        return std::nullopt;
    TForm1& form = *Form1;
    if (surface == form.Panel1 || surface == form.Panel5 || surface == form.Panel8) {
        const FieldViewState& view = *form.fieldViewState;
        if (view.shownPanel != surface || !view.shownField || form.PointCount <= 0)
            return std::nullopt;
        return TimeAxis{view.shownField->threeD ? TimeAxisKind::Mesh : TimeAxisKind::Curve,
                        form.TimeMin, form.TimeSpan};
    }
    if (surface == form.Panel16) {
        if (form.ComfortCount <= 0 || !IsComfortQuantity(form.RadioGroup4->ItemIndex()))
            return std::nullopt;
        return TimeAxis{TimeAxisKind::Curve, 0.0f, ComfortChartEndTime(form)};
    }
    if (Form3 != nullptr && surface == Form3->ImageDC) {
        if (Form3->ShownSection.kind != SectionKind::Position)
            return std::nullopt;
        return TimeAxis{TimeAxisKind::PositionSection, Form3->ShownExtents.xMin,
                        Form3->ShownExtents.xSpan};
    }
    return std::nullopt;
}

std::optional<float> TimeUnderPointer(GlPanel* surface, const QPoint& at) {
    const std::optional<TimeAxis> axis = TimeAxisOfSurface(surface);
    if (!axis || !surface->hasContext())
        return std::nullopt;
    // The view lives in the surface's context; the one current before is made current
    // again, by its panel, so that the next drawing still goes where it meant to.
    QOpenGLContext* before = QOpenGLContext::currentContext();
    if (!surface->makeSurfaceCurrent())
        return std::nullopt;
    const WindowMapping mapping = CurrentWindowMapping();
    if (before != nullptr && before != surface->context())
        for (GlPanel* panel : {Form1->ViewDC, Form1->ComfortDC, Form3 ? Form3->ImageDC : nullptr})
            if (panel != nullptr && panel->context() == before) {
                panel->makeSurfaceCurrent();
                break;
            }
    const double x = DevicePixels(at.x(), surface) + 0.5;
    const double y = DeviceSize(surface).height() - DevicePixels(at.y(), surface) - 0.5;
    return TimeAtWindowPoint(*axis, mapping, x, y);
}

namespace {

// The mark's lines over everything drawn before, whatever their depth.
void drawMarkLines(GLenum mode, std::span<const MarkPoint> points) {
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);
    SetLineWidth(kTimeMarkWidth);
    glColor3f(kTimeMarkColour[0], kTimeMarkColour[1], kTimeMarkColour[2]);
    glBegin(mode);
    for (const MarkPoint& p : points)
        glVertex3f(p.x, p.y, p.z);
    glEnd();
    SetLineWidth(1.0f);
    glColor3f(0.0f, 0.0f, 0.0f);
    if (depthTest)
        glEnable(GL_DEPTH_TEST);
}

std::optional<float> markedTime() {
    if (Form1 == nullptr || !Form1->readingState)
        return std::nullopt;
    return Form1->readingState->markedTime;
}

} // namespace

void DrawTimeMark(const TimeAxis& axis) {
    const std::optional<float> t = markedTime();
    const std::optional<MarkSegment> s = t ? TimeMarkSegment(axis, *t) : std::nullopt;
    if (!s)
        return;
    const MarkPoint ends[] = {{s->x0, s->y0, s->z0}, {s->x1, s->y1, s->z1}};
    drawMarkLines(GL_LINES, ends);
}

void DrawFieldTimeMark(bool threeD, std::span<const FieldPoint> points, int positionsPerStep,
                       const FieldExtents& extents) {
    const TimeAxis axis{threeD ? TimeAxisKind::Mesh : TimeAxisKind::Curve, extents.TimeMin,
                        extents.TimeSpan};
    DrawTimeMark(axis);
    const std::optional<float> t = markedTime();
    if (!threeD || !t || !TimeMarkSegment(axis, *t))
        return;
    drawMarkLines(GL_LINE_STRIP, MeshProfileAt(points, positionsPerStep, extents, *t));
}

} // namespace tessaplot
