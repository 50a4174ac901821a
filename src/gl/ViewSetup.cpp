#include "gl/ViewSetup.h"

namespace tessaplot {

OrthoVolume OrthographicVolume(int width, int height, float halfExtent) {
    // A zero height (a panel not laid out yet) must not divide by zero; such a
    // surface is set up again once it has its size.
    const float aspect =
        height > 0 && width > 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f;
    const double h = halfExtent;
    return {-h, h, -h / aspect, h / aspect, -2.0 * h, 2.0 * h};
}

} // namespace tessaplot
