#pragma once

#include "reproduce/PictureCommand.h"

#include <optional>

namespace tessaplot {

class GlPanel;
struct CommandLine;

// The choices that make the picture `surface` (a page's panel or the 2D window's)
// shows now: read from the windows as the drawing reads them. None when it shows no
// quantity yet, which no command can ask for.
std::optional<PictureChoices> ShownPictureChoices(GlPanel* surface);

// The choices a parsed command line asks for, its directories made absolute.
PictureChoices CommandLineChoices(const CommandLine& line);

} // namespace tessaplot
