#pragma once

#include "export/PictureExport.h"

#include <QString>

#include <string>
#include <vector>

namespace tessaplot {

class GlPanel;

// Everything that can leave the program from one picture: the picture itself, the
// numbers behind it, and the file name proposed for both.
struct ExportTarget {
    PictureSource picture;
    std::vector<std::string> header;
    std::vector<std::vector<float>> columns;
    // When runs are compared: the run of each row, a text column in front of `columns`
    // (the header names it first).
    std::vector<std::string> runs;
    QString baseName; // without extension
};

// What `surface` (Panel1, Panel5, Panel8, Panel16 or the 2D window's surface) shows now.
ExportTarget ExportTargetOf(GlPanel* surface);

} // namespace tessaplot
