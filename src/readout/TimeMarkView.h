#pragma once

#include "fieldview/ColorRamp.h"
#include "readout/TimeMark.h"

#include <optional>
#include <span>

class QPoint;
class QWidget;

namespace tessaplot {

class GlPanel;
class TForm1;

// The time axis of what `surface` shows now; nothing for a picture without one (a
// frame with no records, a time section, the comfort chart with no quantity chosen).
std::optional<TimeAxis> TimeAxisOfSurface(GlPanel* surface);

// The time under `at` (the surface's own pixels) in its current view, when it lies on
// the picture's time axis.
std::optional<float> TimeUnderPointer(GlPanel* surface, const QPoint& at);

// Draws the marked time, if any, into the picture being drawn, over everything else so
// that no mesh or curve hides it.
void DrawTimeMark(const TimeAxis& axis);

// The mark on a field picture of `points` on `extents`: across the thickness in the
// base plane and along the surface of the 3D mesh, a vertical line across the 2D curve.
void DrawFieldTimeMark(bool threeD, std::span<const FieldPoint> points, int positionsPerStep,
                       const FieldExtents& extents);

// Marks `t` (or clears the mark) and brings every page, the 2D window and the "Values
// at t" window up to date.
void SetMarkedTime(std::optional<float> t);

// The "Values at t" window, made at the first mark; null before.
QWidget* ValuesAtTimeWindow();
// Fills the window for the marked time and shows it.
void ShowValuesAtTime(float t);

// The mark's colour: a dark green that neither end of the ramps, the comfort bands nor
// the 2D window's red curve comes close to.
inline constexpr float kTimeMarkColour[3] = {0.0f, 0.5f, 0.0f};
inline constexpr float kTimeMarkWidth = 2.0f;

} // namespace tessaplot
