#include "fieldview/ViewSteps.h"

#include <cstdlib>

namespace tessaplot {

namespace {

// The tilt axis lies in the base plane of the field; it need not be of unit length,
// since the rotation normalises it.
constexpr float kTiltAxis[3] = {1.0f, 2.0f, 0.0f};
constexpr float kStepDegrees = 10.0f;
// 0.8f is not exact, but 0.8f * 1.25f rounds to 1.0f: a shrink and an enlarge undo
// each other up to the rounding of the matrix entries.
constexpr float kShrink = 0.8f;
constexpr float kEnlarge = 1.25f;

} // namespace

ViewStepTransform TransformOf(ViewStep step) {
    using T = ViewStepTransform;
    switch (step) {
    case ViewStep::Up:
        return {T::Rotate, kStepDegrees, kTiltAxis[0], kTiltAxis[1], kTiltAxis[2]};
    case ViewStep::Down:
        return {T::Rotate, -kStepDegrees, kTiltAxis[0], kTiltAxis[1], kTiltAxis[2]};
    case ViewStep::Right:
        return {T::Rotate, -kStepDegrees, 0, 0, 1};
    case ViewStep::Left:
        return {T::Rotate, kStepDegrees, 0, 0, 1};
    case ViewStep::Small:
        return {T::Scale, 0, 0, 0, 0, kShrink};
    case ViewStep::Large:
        return {T::Scale, 0, 0, 0, 0, kEnlarge};
    case ViewStep::Reset:
        break;
    }
    return {T::Replace};
}

ViewStep DragStep(int dx, int dy) {
    // long long: the difference of two extreme int coordinates must not overflow abs.
    if (std::llabs(dx) > std::llabs(dy))
        return dx > 0 ? ViewStep::Left : ViewStep::Right;
    return dy > 0 ? ViewStep::Up : ViewStep::Down;
}

} // namespace tessaplot
