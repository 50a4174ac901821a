#pragma once

class QMenu;

namespace tessaplot {

class GlPanel;

// "Copy Command Line" in a picture's context menu: puts the `plotvane --export
// FIGURE.png …` command that draws the shown picture on the clipboard, and says so in
// the window's status bar. Disabled while the picture shows no quantity.
void AddCommandLineItem(GlPanel* surface, QMenu& menu);

} // namespace tessaplot
