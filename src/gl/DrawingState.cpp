#include "gl/DrawingState.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace tessaplot {

namespace {

DrawingObserver* g_observer = nullptr;
int g_rasterScale = 1;
double g_devicePixelRatio = 1.0;

} // namespace

void SetDrawingObserver(DrawingObserver* observer) {
    g_observer = observer;
}

DrawingObserver* CurrentDrawingObserver() {
    return g_observer;
}

void SetDevicePixelRatio(double ratio) {
    g_devicePixelRatio = ratio > 0.0 && std::isfinite(ratio) ? ratio : 1.0;
}

double DevicePixelRatio() {
    return g_devicePixelRatio;
}

double PixelScale() {
    return g_devicePixelRatio * g_rasterScale;
}

void SetRasterScale(int scale) {
    g_rasterScale = scale > 0 ? scale : 1;
}

int RasterScale() {
    return g_rasterScale;
}

void SetLineWidth(float width) {
    glLineWidth(width * static_cast<float>(PixelScale()));
    if (g_observer != nullptr)
        g_observer->lineWidthChanged(width);
}

void BeginStippledLines(int factor, unsigned short pattern) {
    glPushAttrib(GL_LINE_BIT);
    glEnable(GL_LINE_STIPPLE);
    // A stipple bit covers whole device pixels.
    glLineStipple(std::max(1, static_cast<int>(std::lround(factor * PixelScale()))), pattern);
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
