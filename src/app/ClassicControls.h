#pragma once

class QWidget;

namespace tessaplot {

// Takes from the controls of `window` what Qt gives them and the classic desktop
// controls of this program never had, each of which changes a choice the user did not
// make:
// - a combo box changes its item under a wheel only while it has the focus (Qt turns
//   it under any pointer that passes over it while the page is scrolled);
// - an editable combo box keeps its list as it is and its text is what was typed:
//   Enter does not add the text as a new item, no completion is written into it,
//   and text dropped on it is refused;
// - a tab bar does not turn pages under the wheel;
// - in a dialog, Enter presses only the button that has the focus, never a default
//   button while the focus is on another control.
// Call it once the window's controls are made.
void AdoptClassicControlBehaviour(QWidget* window);

} // namespace tessaplot
