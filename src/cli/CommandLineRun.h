#pragma once

class QString;

namespace tessaplot {

struct CommandLine;

// Opens the result directory as the chooser's "Open" does, draws the asked picture or
// table through the windows' own handlers with no window on the screen, writes the
// file and returns the exit status (0, 1 for data or file, 2 for a choice the data set
// does not have). Messages and their reasons go to the error output. Needs the
// application object.
int RunHeadlessExport(const CommandLine& line);

// Browses the chooser to `directory` and presses "Open", as a user would.
void OpenDirectoryAsChooserDoes(const QString& directory);

// Whether an OpenGL picture can be drawn here at all: a display to draw on.
bool DisplayAvailable();

} // namespace tessaplot
