#pragma once

#include "readout/ColourKey.h"

#include <optional>

class QWidget;

namespace tessaplot {

class GlPanel;
class TForm1;

// The modal "Fix Colour Range" dialog, filled with `current`: the typed range, or
// nothing when cancelled. Typing that is no range is told in the dialog, which stays.
std::optional<ColourRange> AskColourRange(QWidget* parent, ColourRange current);

// Fixes the range for the quantity the panel shows and draws it again.
void FixColourRange(TForm1& form, GlPanel* surface, ColourRange range);

} // namespace tessaplot
