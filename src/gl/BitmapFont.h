#pragma once

#include <string_view>

class QFont;

namespace tessaplot {

// Display-list bases of the two bitmap fonts. Code c of a font is list base + c;
// codes 0-254 have lists, 255 has none (so it draws nothing).
inline constexpr unsigned kSystemFontBase = 1000;
inline constexpr unsigned kViewFontBase = 2000;
inline constexpr int kGlyphListCount = 255;

// The sans faces that stand in for the window system's fonts, installed with the
// program: one for the pictures' bitmap texts, one for the windows' controls.
inline constexpr char kSansFamily[] = "Liberation Sans";
inline constexpr char kFormSansFamily[] = "Carlito";

// The fonts standing in for the window system's stock system font (bold sans) and
// for the small font the views make for tick labels.
QFont SystemFont();
QFont ViewFont();

// The font at `scale` times its pixel size (rounded to whole pixels).
QFont ScaledFont(QFont font, double scale);

// Makes sure the current context holds both fonts' glyph lists for the pixel scale in
// force (built once per context and scale), then selects the font at `base` for
// DrawLabel.
void UseFont(unsigned base);

// Sets the raster position to (x, y, z) in model coordinates and draws the text,
// one glyph list per byte (Latin-1). A raster position outside the view volume is
// invalid, and then nothing of the text appears.
void DrawLabel(float x, float y, float z, std::string_view text);

} // namespace tessaplot
