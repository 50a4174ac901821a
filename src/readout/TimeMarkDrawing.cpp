#include "app/RadioGroup.h"
#include "app/Temp.h"
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
        return TimeAxis{TimeAxisKind::Curve, 0.0f, form.ComfortEndTime};
    }
    if (Form3 != nullptr && surface == Form3->ImageDC) {
        if (Form3->ShownSection.kind != SectionKind::Position)
            return std::nullopt;
        return TimeAxis{TimeAxisKind::PositionSection, form.TimeMin, form.TimeSpan};
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

void DrawTimeMark(const TimeAxis& axis) {
    if (Form1 == nullptr || !Form1->readingState || !Form1->readingState->markedTime)
        return;
    const std::optional<MarkSegment> s = TimeMarkSegment(axis, *Form1->readingState->markedTime);
    if (!s)
        return;
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);
    SetLineWidth(kTimeMarkWidth);
    glColor3f(kTimeMarkColour[0], kTimeMarkColour[1], kTimeMarkColour[2]);
    glBegin(GL_LINES);
    glVertex3f(s->x0, s->y0, s->z0);
    glVertex3f(s->x1, s->y1, s->z1);
    glEnd();
    SetLineWidth(1.0f);
    glColor3f(0.0f, 0.0f, 0.0f);
    if (depthTest)
        glEnable(GL_DEPTH_TEST);
}

} // namespace tessaplot
