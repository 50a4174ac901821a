#pragma once

#include <string_view>

namespace tessaplot {

// What the pictures' drawing code hands to OpenGL besides vertices, in one place so
// that an export can draw the very same picture differently:
// - at a raster scale (a PNG at 2x or 4x): line widths, stipple factors, viewports and
//   glyph sizes grow with it, so nothing comes out thinner than on the screen;
// - to an observer (a vector file captured through the feedback buffer): texts, line
//   stipple and line width do not pass through the feedback buffer, so it is told them.
class DrawingObserver {
public:
    virtual ~DrawingObserver() = default;
    // A text about to be drawn at the current raster position in the font at `fontBase`.
    virtual void text(std::string_view latin1, unsigned fontBase) = 0;
    virtual void stippleChanged(bool enabled) = 0;
    virtual void lineWidthChanged(float width) = 0;
};

// The observer of the drawing in progress, or none (the screen).
void SetDrawingObserver(DrawingObserver* observer);
DrawingObserver* CurrentDrawingObserver();

// Device pixels per screen pixel of the drawing in progress: 1 for the screen.
void SetRasterScale(int scale);
int RasterScale();

// glLineWidth of `width` screen pixels.
void SetLineWidth(float width);
// Lines drawn between these two are stippled with `pattern` (each bit `factor` screen
// pixels long); the line attributes are restored afterwards.
void BeginStippledLines(int factor, unsigned short pattern);
void EndStippledLines();
// glViewport of `width` x `height` screen pixels at the lower left corner.
void SetViewport(int width, int height);

} // namespace tessaplot
