#pragma once

#include "export/PictureExport.h"

#include <functional>
#include <string>

class QFileDialog;
class QString;

namespace tessaplot {

class GlPanel;

// Gives `surface` its context menu: "Save Picture As…", "Copy Picture" and "Export Data
// As CSV…". The menu changes nothing else: no redraw, no choice.
void AttachExportMenu(GlPanel* surface);
// The menus of every picture of the program, once the windows are made.
void AttachExportMenus();

void SavePictureAs(GlPanel* surface);
void CopyPicture(GlPanel* surface);
void ExportDataAsCsv(GlPanel* surface);
// Asks where to save a CSV table (proposing `proposedName`) and writes it, made by
// `table` once the file is chosen (the records as they are then), or says why not.
void SaveCsvAs(const QString& proposedName, const std::function<std::string()>& table);

// A save dialog offering PNG (as shown, 2x and 4x), SVG and PDF.
void OfferPictureFormats(QFileDialog* dialog);
// The format and PNG scale of a file chosen in such a dialog: the name's extension
// decides the format, the chosen filter the scale. PNG when the name has none of ours.
struct ChosenPicture {
    PictureFormat format = PictureFormat::Png;
    int scale = 1;
};
ChosenPicture ChosenPictureOf(const QFileDialog* dialog, const QString& path);

// Writes the picture or reports, once, why it could not be written.
void SavePictureReporting(GlPanel* surface, const QString& path, ChosenPicture chosen);

} // namespace tessaplot
