#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <optional>

namespace tessaplot {

class GlPanel;

enum class PictureFormat { Png, Svg, Pdf };

// The format a file name asks for by its extension (any letter case), if it is one.
std::optional<PictureFormat> PictureFormatOfPath(const QString& path);

// A picture to draw again: the surface it is shown on and the drawing calls that made
// it, to be issued with that surface's context current (its matrices as they are).
struct PictureSource {
    GlPanel* surface = nullptr;
    std::function<void()> draw;
    QString title;
};

// The picture at `scale` device pixels per pixel of the surface's framebuffer: at 1
// exactly the pixels shown, at 2 or 4 drawn again at that size with lines and texts
// scaled with it. A null image when the surface has no context.
QImage RenderPicture(const PictureSource& source, int scale);

// The picture as an SVG or PDF file, drawn again through the feedback buffer: lines,
// shaded stripes and texts as real text, in the view's orientation and zoom.
QByteArray VectorPicture(const PictureSource& source, PictureFormat format, QString* error);

// Writes `bytes` to `path` in full or not at all: nothing half-written is left.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error);

// The picture in `format` (`scale` for PNG) written to `path`.
bool SavePicture(const PictureSource& source, const QString& path, PictureFormat format, int scale,
                 QString* error);

} // namespace tessaplot
