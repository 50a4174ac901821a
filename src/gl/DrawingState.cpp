#include "gl/DrawingState.h"

#include <GL/gl.h>

namespace tessaplot {

namespace {

DrawingObserver* g_observer = nullptr;
int g_rasterScale = 1;

} // namespace

void SetDrawingObserver(DrawingObserver* observer) {
    g_observer = observer;
}

DrawingObserver* CurrentDrawingObserver() {
    return g_observer;
}

void SetRasterScale(int scale) {
    g_rasterScale = scale > 0 ? scale : 1;
}

int RasterScale() {
    return g_rasterScale;
}

void SetLineWidth(float width) {
    glLineWidth(width * static_cast<float>(g_rasterScale));
    if (g_observer != nullptr)
        g_observer->lineWidthChanged(width);
}

void BeginStippledLines(int factor, unsigned short pattern) {
    glPushAttrib(GL_LINE_BIT);
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(factor * g_rasterScale, pattern);
    if (g_observer != nullptr)
        g_observer->stippleChanged(true);
}

void EndStippledLines() {
    if (g_observer != nullptr)
        g_observer->stippleChanged(false);
    glPopAttrib();
}

void SetViewport(int width, int height) {
    glViewport(0, 0, width * g_rasterScale, height * g_rasterScale);
}

} // namespace tessaplot
