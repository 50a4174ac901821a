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

} // namespace tessaplot
