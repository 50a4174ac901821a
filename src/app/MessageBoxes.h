#pragma once

#include <exception>
#include <functional>
#include <string>

class QWidget;

namespace tessaplot {

// The program's plain message box: titled with the application's name ("Plotvane"),
// one OK button, modal. Returns when the user has dismissed it.
void ShowMessage(const std::string& text);
// The box for a surface that cannot be set up: title "Error", no owner window.
void ShowErrorMessage(const std::string& text);

// What the user is told of an error that stopped a handler: words of our own, never
// the library's text or an exception's type name, which would mean nothing to them.
std::string HandlerFailureText(const std::exception& error);
// The same for an error that is no std::exception.
std::string HandlerFailureText();

// Where messages go instead of boxes while the program runs without windows (the
// command-line export); none sends them to boxes again.
void SetMessageSink(std::function<void(const std::string&)> sink);

} // namespace tessaplot
