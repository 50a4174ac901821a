#include "readout/ColourKeyDrawing.h"

#include "app/LocaleText.h"
#include "app/Temp.h"
#include "fieldview/FieldViewState.h"
#include "fieldview/FrameGeometry.h"
#include "gl/BitmapFont.h"
#include "gl/DrawingState.h"

#include <QFontMetrics>

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace tessaplot {

void AddColourKeyInputs(const TForm1& form, FieldDrawInputs& inputs) {
    const bool mesh = inputs.threeD && (form.ViewDC == form.Panel1 || form.ViewDC == form.Panel5);
    if (!mesh || !form.readingState)
        return;
    inputs.colourKey = form.readingState->colourKeyShown;
    inputs.fixedRange = FixedRangeFor(*form.readingState, inputs.variableCaption);
}

ColourKeyAxis ColourKeyAxisOf(const TForm1& form, const FieldDrawInputs& inputs) {
    ColourKeyAxis axis;
    std::string_view pattern = inputs.valueTickPattern;
    switch (inputs.colorAxis) {
    case kColorAlongValue:
        axis.range = inputs.fixedRange.value_or(ColourRange{form.ValueMin, form.ValueMax});
        axis.title = inputs.variableCaption;
        break;
    case kColorAlongTime:
        axis.range = {form.TimeMin, form.TimeMax};
        pattern = kTimeTickPattern;
        axis.title = "Time (min.)";
        break;
    default:
        axis.range = {form.PositionMin, form.PositionMax};
        pattern = kPositionTickPattern;
        axis.title = "Thickness (cm)";
    }
    axis.labels = MakeTickLabels(axis.range.min, axis.range.max, pattern, LocaleDecimalSeparator());
    return axis;
}

ColourKeyLayout ColourKeyLayoutOf(const ColourKeyAxis& axis, int width, int height) {
    const double scale = PixelScale();
    const QFontMetrics small(ScaledFont(ViewFont(), scale));
    const QFontMetrics large(ScaledFont(SystemFont(), scale));
    int widest = 0;
    for (const std::string& label : axis.labels)
        widest = std::max(widest, small.horizontalAdvance(QString::fromLatin1(label)));
    return LayOutColourKey(width, height, scale, widest, small.height(),
                           large.horizontalAdvance(QString::fromLatin1(axis.title)));
}

void DrawColourKey(const TForm1& form, const FieldDrawInputs& inputs) {
    const ColourKeyAxis axis = ColourKeyAxisOf(form, inputs);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const ColourKeyLayout key = ColourKeyLayoutOf(axis, viewport[2], viewport[3]);

    // Window pixels over the mesh, whatever the view has turned, and never hidden by it.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, viewport[2], 0, viewport[3], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const GLboolean depth = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);

    // The ramp is straight, so shading each fifth between its ticks' colours gives
    // every row of the bar the colour of the value beside it; a diverging ramp bends at
    // white, so the fifth it bends in is shaded in two parts.
    glBegin(GL_QUADS);
    for (int i = 0; i + 1 < kTickLabelCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const float from = TickStep(i), to = TickStep(i + 1);
        std::vector<float> stops{from, to};
        if (inputs.ramp.whiteAt && *inputs.ramp.whiteAt > from && *inputs.ramp.whiteAt < to)
            stops.insert(stops.begin() + 1, *inputs.ramp.whiteAt);
        const auto yAt = [&](float s) {
            return key.tickY[at] + (s - from) / (to - from) * (key.tickY[at + 1] - key.tickY[at]);
        };
        for (std::size_t k = 0; k + 1 < stops.size(); ++k) {
            const RampColor low = inputs.ramp.at(stops[k]);
            const RampColor high = inputs.ramp.at(stops[k + 1]);
            glColor3f(low.r, low.g, low.b);
            glVertex2f(key.barLeft, yAt(stops[k]));
            glVertex2f(key.barRight, yAt(stops[k]));
            glColor3f(high.r, high.g, high.b);
            glVertex2f(key.barRight, yAt(stops[k + 1]));
            glVertex2f(key.barLeft, yAt(stops[k + 1]));
        }
    }
    glEnd();

    glColor3f(0.0f, 0.0f, 0.0f);
    glBegin(GL_LINES);
    for (float y : key.tickY) {
        glVertex2f(key.barRight, y + 0.5f);
        glVertex2f(key.tickRight, y + 0.5f);
    }
    glEnd();
    UseFont(kViewFontBase);
    for (std::size_t i = 0; i < axis.labels.size(); ++i)
        DrawLabel(key.labelX, key.labelY[i], 0.0f, axis.labels[i]);
    UseFont(kSystemFontBase);
    DrawLabel(key.titleX, key.titleY, 0.0f, axis.title);

    if (depth)
        glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

std::optional<ColourRange> CurrentColourRange(const TForm1& form, GlPanel* surface) {
    const FieldViewState& state = *form.fieldViewState;
    if (state.shownPanel != surface || !state.shownField || form.PointCount <= 0)
        return std::nullopt;
    return state.shownField->fixedRange.value_or(ColourRange{form.ValueMin, form.ValueMax});
}

} // namespace tessaplot
