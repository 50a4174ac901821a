#include "compare/OverlayDrawing.h"

#include "gl/BitmapFont.h"
#include "gl/DrawReduction.h"
#include "gl/DrawingState.h"

#include <GL/gl.h>

namespace tessaplot {

namespace {

constexpr float kLegendSampleLength = 0.06f;

} // namespace

// One run's curve as a line strip through the points each pixel column needs.
void DrawRunPolyline(const std::vector<float>& xy, const RunColour& colour) {
    if (xy.size() < 4)
        return;
    glColor3f(colour.r, colour.g, colour.b);
    DrawReducedLineStrip({xy.data(), 2, xy.size() / 2});
}

void DrawLegend(const std::vector<LegendEntry>& entries, const LegendLayout& layout,
                float sampleWidth) {
    // The texts drawn after the legend keep the font chosen before it.
    GLint fontBefore = 0;
    glGetIntegerv(GL_LIST_BASE, &fontBefore);
    UseFont(kViewFontBase);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const LegendPlace at = LegendLinePlace(layout, static_cast<int>(i));
        const RunColour& c = entries[i].colour;
        glColor3f(c.r, c.g, c.b);
        SetLineWidth(sampleWidth);
        glBegin(GL_LINES);
        glVertex3f(at.x, at.y + 0.015f, 0.0f);
        glVertex3f(at.x + kLegendSampleLength, at.y + 0.015f, 0.0f);
        glEnd();
        SetLineWidth(1.0f);
        DrawLabel(at.x + kLegendSampleLength + 0.02f, at.y, 0.0f, entries[i].text);
    }
    glListBase(static_cast<GLuint>(fontBefore));
    glColor3f(0.0f, 0.0f, 0.0f);
}

} // namespace tessaplot
