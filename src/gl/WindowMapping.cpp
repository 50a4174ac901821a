#include "gl/WindowMapping.h"

#include <cmath>
#include <utility>

namespace tessaplot {

WindowMapping WindowMapping::FromMatrices(const float modelview[16], const float projection[16],
                                          const int viewport[4]) {
    // Row r of projection x modelview (both column-major: element (r, c) at [c * 4 + r]).
    const auto row = [&](int r, double out[4]) {
        for (int c = 0; c < 4; ++c) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += static_cast<double>(projection[k * 4 + r]) * modelview[c * 4 + k];
            out[c] = sum;
        }
    };
    double clipX[4], clipY[4];
    row(0, clipX);
    row(1, clipY);
    WindowMapping m;
    const double halfWidth = viewport[2] / 2.0, halfHeight = viewport[3] / 2.0;
    for (int c = 0; c < 4; ++c) {
        m.x[c] = clipX[c] * halfWidth;
        m.y[c] = clipY[c] * halfHeight;
    }
    m.x[3] += viewport[0] + halfWidth;
    m.y[3] += viewport[1] + halfHeight;
    return m;
}

namespace {

struct WindowPoint {
    double x, y;
};

WindowPoint windowPoint(const PolylinePoints& points, const WindowMapping& mapping, std::size_t i) {
    const float* p = points.coords + i * points.stride;
    const float z = points.stride > 2 ? p[2] : points.z;
    return {mapping.windowX(p[0], p[1], z), mapping.windowY(p[0], p[1], z)};
}

// The run of consecutive points in one pixel column seen so far.
struct ColumnRun {
    double column = 0;
    unsigned first = 0, lowest = 0, highest = 0, last = 0;
    double lowY = 0, highY = 0;
    bool open = false;
};

// Whether a window point lies surely inside the diamond of the pixel (column, row): the
// rasterizer lights a pixel for a line that leaves its diamond, so a point there
// matters even when it is no extreme. Rasterizers snap vertices to a grid of a few
// bits below the pixel; a point at the diamond's very edge may fall on either side.
bool insideDiamond(WindowPoint p, double column, double row) {
    constexpr double kSnapMargin = 1.0 / 64;
    return std::abs(p.x - (column + 0.5)) + std::abs(p.y - (row + 0.5)) < 0.5 - kSnapMargin;
}

// The first point of the run inside the diamond of the pixel in `row`, if any.
void keepDiamondPoint(const PolylinePoints& points, const WindowMapping& mapping,
                      const ColumnRun& run, double row, unsigned* chosen, int& count) {
    for (unsigned i = run.first; i <= run.last; ++i)
        if (insideDiamond(windowPoint(points, mapping, i), run.column, row)) {
            chosen[count++] = i;
            return;
        }
}

void closeRun(const PolylinePoints& points, const WindowMapping& mapping, const ColumnRun& run,
              std::vector<unsigned>& kept) {
    if (!run.open)
        return;
    const double lowRow = std::floor(run.lowY), highRow = std::floor(run.highY);
    // A run within one pixel lights it or not by how its tiny segments meet the
    // pixel's diamond, which the rasterizer judges by its own rounding: kept whole.
    if (lowRow == highRow) {
        for (unsigned i = run.first; i <= run.last; ++i)
            kept.push_back(i);
        return;
    }
    unsigned chosen[6] = {run.first, run.lowest, run.highest, run.last};
    int count = 4;
    // Within the extreme rows the whole line may light its pixel only through a point
    // in the diamond, which the segments between the extremes pass by.
    keepDiamondPoint(points, mapping, run, lowRow, chosen, count);
    keepDiamondPoint(points, mapping, run, highRow, chosen, count);
    // At most six: sorted in place by insertion.
    for (int i = 1; i < count; ++i)
        for (int j = i; j > 0 && chosen[j] < chosen[j - 1]; --j)
            std::swap(chosen[j], chosen[j - 1]);
    for (int i = 0; i < count; ++i)
        if (i == 0 || chosen[i] != chosen[i - 1])
            kept.push_back(chosen[i]);
}

} // namespace

void KeepColumnExtremes(const PolylinePoints& points, const WindowMapping& mapping,
                        std::vector<unsigned>& kept) {
    kept.clear();
    ColumnRun run;
    for (std::size_t i = 0; i < points.count; ++i) {
        const WindowPoint p = windowPoint(points, mapping, i);
        const auto index = static_cast<unsigned>(i);
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            closeRun(points, mapping, run, kept);
            run.open = false;
            kept.push_back(index);
            continue;
        }
        const double column = std::floor(p.x);
        if (run.open && column == run.column) {
            run.last = index;
            if (p.y < run.lowY) {
                run.lowY = p.y;
                run.lowest = index;
            }
            if (p.y > run.highY) {
                run.highY = p.y;
                run.highest = index;
            }
            continue;
        }
        closeRun(points, mapping, run, kept);
        run = ColumnRun{column, index, index, index, index, p.y, p.y, true};
    }
    closeRun(points, mapping, run, kept);
}

} // namespace tessaplot
