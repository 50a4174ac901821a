#pragma once

#include <string_view>

namespace tessaplot {

// What the pictures' drawing code hands to OpenGL besides vertices, in one place so
// that the very same picture can be drawn at another resolution or captured:
// - on a screen scaled by the desktop (200 %, 150 %), the surface has more device
//   pixels than the window has pixels: line widths, stipple factors and glyph sizes
//   grow with the device pixel ratio, so lines and texts are as thick and as large as
//   at 100 % (viewports are given in device pixels already);
// - at a raster scale (a PNG at 2x or 4x): line widths, stipple factors, viewports and
//   glyph sizes grow with it as well, so nothing comes out thinner than on the screen;
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

// Device pixels per window pixel of the surface being drawn on (set when a panel's
// context is made current): 1 on an unscaled screen.
void SetDevicePixelRatio(double ratio);
double DevicePixelRatio();

// How many times larger than on the screen the drawing in progress is rasterised: 1
// for the screen, 2 or 4 for an enlarged PNG.
void SetRasterScale(int scale);
int RasterScale();

// Device pixels of the drawing in progress per window pixel: the device pixel ratio
// times the raster scale. Line widths, stipple lengths and glyph sizes are multiplied
// by it.
double PixelScale();

// glLineWidth of `width` window pixels.
void SetLineWidth(float width);
// Lines drawn between these two are stippled with `pattern` (each bit `factor` window
// pixels long); the line attributes are restored afterwards.
void BeginStippledLines(int factor, unsigned short pattern);
void EndStippledLines();
// glViewport of `width` x `height` device pixels of the surface (times the raster
// scale) at the lower left corner.
void SetViewport(int width, int height);

} // namespace tessaplot
