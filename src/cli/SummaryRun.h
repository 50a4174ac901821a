#pragma once

namespace tessaplot {

struct CommandLine;

// `plotvane --summary DIR...`: one CSV row per directory on the standard output, the
// reasons of those that could not be read in their rows; 0, or 1 when any could not.
// Needs no display and no application object.
int RunSummary(const CommandLine& line);

} // namespace tessaplot
