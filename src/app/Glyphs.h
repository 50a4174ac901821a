#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

namespace tessaplot {

// The seven 16 x 16 tool-bar images, in order: up, down, right, left, shrink,
// enlarge, reset.
QList<QIcon> NavigationImages();

// Button glyphs.
QIcon ShowDataGlyph();    // small green right-pointing triangle
QIcon ColorSelectGlyph(); // four upright stripes: red, yellow, green, blue
QIcon OkGlyph();          // tick mark
QIcon CancelGlyph();      // cross

// The BodyComfort page's picture (393 x 321): a yellow figure standing upright in a
// room drawn as a blue wire grid in perspective on a black ground.
QImage AnimationPicture();

} // namespace tessaplot
