#pragma once

#include "section2d/SectionExtraction.h"

#include <string>

namespace tessaplot {

// What the last "Show 2D Data" asked for. The controls are read once, when the
// button is pressed: while the 2D window is open the main window's deferred redraw
// reloads the field and selects the first item of the position lists again, so
// reading them at each repaint would switch a position section to the first position.
struct SectionState {
    bool requested = false;
    bool fabricPage = true;
    SectionRequest request;
    // The time or position as the user sees it, for the picture's file name.
    std::string sectionText;
};

} // namespace tessaplot
