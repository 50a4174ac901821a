#pragma once

namespace tessaplot {

class GlPanel;

// Checks that an OpenGL surface of the requested kind (RGBA 8-8-8, depth 16, double
// buffered) can be had for the panel. On failure it shows "ChoosePixelFormat failed"
// or "SetPixelFormat failed" titled "Error" and returns false.
bool SetupPixelFormat(GlPanel* panel);

// Gives the current context the state of a fresh one: identity matrices.
void ResetSurfaceState();

// Fixed state of a fresh surface: clear colour white, depth test, the orthographic
// projection for the panel's size, modelview selected, colour black, viewport.
void SetupViewProjection(int width, int height, float halfExtent);

// Multiplies the initial view (3D when threeDView is non-zero, else 2D) onto the
// modelview matrix.
void SetInitialView(int threeDView);

} // namespace tessaplot
