#pragma once

#include "comfort/ComfortReader.h"
#include "comfort/SensationBands.h"

#include <cstdint>

namespace tessaplot {

class TForm1;

// The compared runs' curves over the opened run's, in the pictures that draw one curve
// of a quantity over time. With nothing compared each of these leaves the picture as
// the original draws it.

// BodyProperty: reads each compared run's BodyProperty.dat as the opened one was read
// and makes the main window's time and value extents span all runs (the opened run's
// own extents when nothing is compared). Before the opened run's curve is built.
void SpanComparedBodyCurves(TForm1& form);
// BodyProperty: the compared runs' curves and the legend, after the opened run's curve.
void DrawComparedBodyCurves(TForm1& form);

// BodyComfort: the time the chart's axis ends at, `ownEndTime` when nothing is
// compared. Reads a compared run's Comfort.dat that was never read yet.
float SharedComfortEndTime(TForm1& form, float ownEndTime);
// BodyComfort: the compared runs' curves and the legend, after the opened run's curve.
void DrawComparedComfortCurves(TForm1& form, ComfortQuantity quantity, float endTime);
// BodyComfort's refresh tick: reads on in every compared run's Comfort.dat until
// `deadline`, the time left shared among the runs still to read.
void RefreshComparedComfort(TForm1& form, ComfortFileReader::Clock::time_point deadline);
// Following: draws the shown BodyProperty curves again when a run was added or removed
// since they were drawn with the runs of `drawnComparison` (Comparison::generation), or
// a compared run's table changed on disk since it was read (grew, was rewritten,
// removed or came back); true if it drew.
bool FollowComparedTables(TForm1& form, std::uint64_t drawnComparison);

} // namespace tessaplot
