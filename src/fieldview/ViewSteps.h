#pragma once

namespace tessaplot {

// The navigation steps of the 3D field pages, named after the Fabric page's hints.
enum class ViewStep { Up, Down, Right, Left, Small, Large, Reset };

// What one step multiplies onto the modelview matrix: a rotation by `angle` degrees
// about (axisX, axisY, axisZ), a scaling by `factor` on all three axes, or for Reset
// neither (the matrix is replaced by the initial view).
struct ViewStepTransform {
    enum Kind { Rotate, Scale, Replace } kind;
    float angle = 0;
    float axisX = 0, axisY = 0, axisZ = 0;
    float factor = 1;
};

ViewStepTransform TransformOf(ViewStep step);

// The step a drag makes, from the pointer's offset to the press point (pixels, y
// growing downwards). The larger offset decides; a tie, and the press point itself,
// count as vertical. Right of the press point turns like "Left", below like "Up".
ViewStep DragStep(int dx, int dy);

} // namespace tessaplot
