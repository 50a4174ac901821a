#pragma once

#include "readout/ColourKey.h"

#include <string>

namespace tessaplot {

class GlPanel;
class TForm1;
struct FieldDrawInputs;

// What the user asked for of the key and the range, for a picture of the Fabric or
// Fibers mesh about to be drawn with `inputs`; nothing for any other picture.
void AddColourKeyInputs(const TForm1& form, FieldDrawInputs& inputs);

// What the key of a picture drawn with `inputs` shows: the quantity the ramp grades by,
// its range and its tick labels.
struct ColourKeyAxis {
    ColourRange range;
    TickLabelTable labels;
    std::string title;
};
ColourKeyAxis ColourKeyAxisOf(const TForm1& form, const FieldDrawInputs& inputs);

// Where that key goes in a picture of `width` x `height` pixels at the pixel scale in
// force (its texts measured in the pictures' fonts).
ColourKeyLayout ColourKeyLayoutOf(const ColourKeyAxis& axis, int width, int height);

// The key beside the mesh, in window pixels over the whole viewport of the picture
// being drawn, through the drawing calls an export captures.
void DrawColourKey(const TForm1& form, const FieldDrawInputs& inputs);

// The range the Fabric or Fibers panel's ramp runs over now: the fixed one, or its
// data's own; nothing when the panel shows no field.
std::optional<ColourRange> CurrentColourRange(const TForm1& form, GlPanel* surface);

} // namespace tessaplot
