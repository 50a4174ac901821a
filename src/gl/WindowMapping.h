#pragma once

#include <cstddef>
#include <vector>

namespace tessaplot {

// Where the current view puts a point on the framebuffer, in device pixels from the
// lower left corner: window x and y as affine functions of the point's x, y and z. Exact
// for the orthographic views of this program (no perspective division).
struct WindowMapping {
    double x[4] = {1, 0, 0, 0}; // window x = x[0] px + x[1] py + x[2] pz + x[3]
    double y[4] = {0, 1, 0, 0};

    // From OpenGL's column-major modelview and projection matrices and its viewport.
    static WindowMapping FromMatrices(const float modelview[16], const float projection[16],
                                      const int viewport[4]);

    double windowX(float px, float py, float pz) const {
        return x[0] * px + x[1] * py + x[2] * pz + x[3];
    }
    double windowY(float px, float py, float pz) const {
        return y[0] * px + y[1] * py + y[2] * pz + y[3];
    }
};

// A polyline of `count` points, `stride` floats apart, each x, y and (when stride > 2)
// z; `z` stands in for a missing one.
struct PolylinePoints {
    const float* coords = nullptr;
    std::size_t stride = 3;
    std::size_t count = 0;
    float z = 0;
};

// The points of a polyline to draw so that it lights the same pixels as the whole:
// of every run of consecutive points that fall into one pixel column, only the first,
// the lowest, the highest and the last, in their order (each point once). The segments
// between columns are then the same, and within a column the kept points span the same
// rows. A point whose window position is not finite is kept, alone in its run.
// `kept` is refilled with point indices, its capacity kept.
void KeepColumnExtremes(const PolylinePoints& points, const WindowMapping& mapping,
                        std::vector<unsigned>& kept);

} // namespace tessaplot
