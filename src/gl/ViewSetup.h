#pragma once

namespace tessaplot {

// The view volume of a fresh surface: x from -h to h, y scaled by the panel's aspect
// so that one unit is equally long along x and y, z from -2h to 2h.
struct OrthoVolume {
    double left, right, bottom, top, nearPlane, farPlane;
};

OrthoVolume OrthographicVolume(int width, int height, float halfExtent);

// Half extents of the two kinds of surface.
inline constexpr float kViewHalfExtent = 1.15f;
inline constexpr float kChartHalfExtent = 0.95f;

// Initial view of a 3D field: translate, then turn about x, then about z (degrees).
inline constexpr float kInitial3DTranslate[3] = {-0.6f, -0.3f, 0.0f};
inline constexpr float kInitial3DTiltX = -60.0f;
inline constexpr float kInitial3DTurnZ = -60.0f;
// Initial view of a 2D chart: the unit square to x in [-0.4, 0.6], y in [-0.5, 0.5].
inline constexpr float kInitial2DTranslate[3] = {-0.4f, -0.5f, 0.0f};
// The comfort chart's offset, applied after its projection.
inline constexpr float kChartTranslate[3] = {-0.75f, -0.6f, 0.0f};

} // namespace tessaplot
