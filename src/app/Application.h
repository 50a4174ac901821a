#pragma once

#include <QApplication>

namespace tessaplot {

// The application object: the message loop, with the standard exception display.
// An exception that escapes an event handler is shown in a message box and the
// loop goes on.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Sets the surface format every OpenGL panel asks for (RGBA 8-8-8, depth 16, double
// buffer, compatibility profile for the fixed-function calls). Call before the
// application object is made.
void SetDefaultSurfaceFormat();

// Creates Form1 ... Form4 in this order. Returns false when the main window could
// not get its drawing surface and asked to close (the program then ends).
bool CreateForms();
// Destroys the windows, the most recently created first.
void DestroyForms();

} // namespace tessaplot
