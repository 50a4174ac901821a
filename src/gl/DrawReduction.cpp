#include "gl/DrawReduction.h"

#include <GL/gl.h>

namespace tessaplot {

namespace {

bool reductionEnabled = true;

} // namespace

void SetDrawReduction(bool enabled) {
    reductionEnabled = enabled;
}

bool DrawReduction() {
    return reductionEnabled;
}

WindowMapping CurrentWindowMapping() {
    float modelview[16], projection[16];
    int viewport[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    return WindowMapping::FromMatrices(modelview, projection, viewport);
}

bool ReducePolyline(const PolylinePoints& points, std::vector<unsigned>& kept) {
    if (!reductionEnabled)
        return false;
    int viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (points.count <= static_cast<std::size_t>(viewport[2] > 0 ? viewport[2] : 0))
        return false;
    KeepColumnExtremes(points, CurrentWindowMapping(), kept);
    return true;
}

void DrawReducedLineStrip(const PolylinePoints& points) {
    static std::vector<unsigned> kept;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, static_cast<GLsizei>(points.stride * sizeof(float)),
                    points.coords);
    if (ReducePolyline(points, kept))
        glDrawElements(GL_LINE_STRIP, static_cast<GLsizei>(kept.size()), GL_UNSIGNED_INT,
                       kept.data());
    else
        glDrawArrays(GL_LINE_STRIP, 0, static_cast<GLsizei>(points.count));
    glDisableClientState(GL_VERTEX_ARRAY);
}

} // namespace tessaplot
