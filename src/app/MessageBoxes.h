#pragma once

#include <string>

class QWidget;

namespace tessaplot {

// The program's plain message box: titled with the application's name ("Plotvane"),
// one OK button, modal. Returns when the user has dismissed it.
void ShowMessage(const std::string& text);
// The box for a surface that cannot be set up: title "Error", no owner window.
void ShowErrorMessage(const std::string& text);

} // namespace tessaplot
