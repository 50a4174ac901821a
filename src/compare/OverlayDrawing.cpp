#include "compare/OverlayDrawing.h"

#include "gl/BitmapFont.h"
#include "gl/DrawReduction.h"
#include "gl/DrawingState.h"

#include <GL/gl.h>

#include <algorithm>

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

void DrawRunPolyline(const std::vector<float>& xy, const RunColour& colour, ShownPolyline& shown) {
    if (xy.size() < 4)
        return;
    int viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const WindowMapping mapping = CurrentWindowMapping();
    const auto sameMapping = [&] {
        return std::equal(std::begin(mapping.x), std::end(mapping.x),
                          std::begin(shown.mapping.x)) &&
               std::equal(std::begin(mapping.y), std::end(mapping.y),
                          std::begin(shown.mapping.y)) &&
               std::equal(std::begin(viewport), std::end(viewport), std::begin(shown.viewport));
    };
    if (!shown.valid || shown.reduced != DrawReduction() || !sameMapping()) {
        static std::vector<unsigned> kept;
        shown.xy.clear();
        if (ReducePolyline({xy.data(), 2, xy.size() / 2}, kept)) {
            shown.xy.reserve(kept.size() * 2);
            for (unsigned i : kept)
                shown.xy.insert(shown.xy.end(), {xy[2 * i], xy[2 * i + 1]});
        } else {
            shown.xy = xy;
        }
        shown.mapping = mapping;
        std::copy(std::begin(viewport), std::end(viewport), std::begin(shown.viewport));
        shown.reduced = DrawReduction();
        shown.valid = true;
    }
    glColor3f(colour.r, colour.g, colour.b);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, shown.xy.data());
    glDrawArrays(GL_LINE_STRIP, 0, static_cast<GLsizei>(shown.xy.size() / 2));
    glDisableClientState(GL_VERTEX_ARRAY);
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
