#pragma once

#include "reproduce/ViewMatrixText.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessaplot {

// Everything that chooses one picture of the program, as plain values: what the
// window shows, or what a command line asks for. Paths are bytes, as the file calls
// take them; other texts UTF-8. An empty or unset member is the program's default.
struct PictureChoices {
    std::string exportFile; // empty: the window starts on the picture
    int scale = 1;
    std::string page = "Fabric";
    int layer = 1;     // Fabric
    std::string fibre; // Fibers; empty: the first fibre file
    std::string variable;
    std::string sectionKind; // empty, "TimePos" or "SpacePos"
    std::string sectionValue;
    std::string fromColor = "Blue", toColor = "Red";
    std::string colorAxis = "Z";
    // The view: tool-button steps from the first view, or the matrix itself (which
    // then wins).
    std::vector<std::string> viewSteps;
    std::optional<ViewMatrix> viewMatrix;
    std::vector<std::string> compare; // absolute directories
    std::string differenceFrom;       // a compared run's directory or name
    bool colourKey = false;
    std::optional<std::pair<float, float>> range;
    std::optional<float> markedTime;
    // Evidence laid beside the runs, each as its option reads it: measured files
    // (absolute), the phase list, thresholds and tolerances.
    std::vector<std::string> measured;
    std::string phases;
    std::vector<std::string> thresholds;
    std::vector<std::string> tolerances;
    std::string directory; // the opened run, absolute
};

// The one normalised command that makes the picture: `plotvane`, the options in one
// fixed order with their defaults left out, the directory last, every word quoted for
// a POSIX shell where it needs it.
std::string PictureCommandText(const PictureChoices& choices);

// The steps that still matter: those after the last "Reset".
std::vector<std::string> StepsAfterLastReset(const std::vector<std::string>& steps);

} // namespace tessaplot
