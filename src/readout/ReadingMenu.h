#pragma once

class QMenu;

namespace tessaplot {

class GlPanel;

// The items a picture's context menu offers for reading numbers off it, after the
// export items: the colour key and range (Fabric and Fibers) and the marked time
// (every picture with a time axis).
void AddReadingItems(GlPanel* surface, QMenu& menu);

// Each group of items, in its own file.
void AddColourKeyItems(GlPanel* surface, QMenu& menu);
void AddTimeMarkItems(GlPanel* surface, QMenu& menu);

} // namespace tessaplot
