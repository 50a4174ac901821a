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

// Shows the main window, the forms created, as `plotvane [DIR] [picture options]` asks:
// without DIR as it always starts; with DIR opened as the chooser's "Open" does; with
// picture options (`line.picture`) on that picture, chosen through the same handlers
// and in the same order as a user's clicks, the "2D Image" window of a section opened
// from the event loop as "Show 2D Data" opens it. Returns 0 when the window is up (run
// the event loop), or the status to end with (1 data, 2 a choice DIR does not offer)
// with its reason on the error output; every such refusal but a section position the
// shown table lacks comes before the window shows.
int StartWindow(const CommandLine& line);

// Browses the chooser to `directory` and presses "Open", as a user would.
void OpenDirectoryAsChooserDoes(const QString& directory);

// Whether an OpenGL picture can be drawn here at all: a display to draw on.
bool DisplayAvailable();

} // namespace tessaplot
