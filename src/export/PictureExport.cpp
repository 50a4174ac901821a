#include "export/PictureExport.h"

#include "gl/BitmapFont.h"
#include "gl/DrawingState.h"
#include "gl/GlPanel.h"

#include <QBuffer>
#include <QFileInfo>
#include <QOpenGLFramebufferObject>
#include <QSaveFile>

#include <GL/gl.h>
#include <gl2ps.h>

#include <cstdio>
#include <memory>
#include <string>

namespace tessaplot {

namespace {

// Puts the screen's drawing state back however the export drawing ended.
class ScreenStateRestorer {
public:
    explicit ScreenStateRestorer(GlPanel* surface) : m_surface(surface) {
        glGetIntegerv(GL_VIEWPORT, m_viewport);
    }
    ~ScreenStateRestorer() {
        SetDrawingObserver(nullptr);
        SetRasterScale(1);
        SetLineWidth(1.0f);
        glViewport(m_viewport[0], m_viewport[1], m_viewport[2], m_viewport[3]);
        m_surface->makeCurrent(); // binds the panel's own framebuffer again
    }
    ScreenStateRestorer(const ScreenStateRestorer&) = delete;
    ScreenStateRestorer& operator=(const ScreenStateRestorer&) = delete;

    const GLint* viewport() const { return m_viewport; }

private:
    GlPanel* m_surface;
    GLint m_viewport[4] = {0, 0, 0, 0};
};

// Latin-1 as the glyphs are drawn, turned into what each format's text wants.
std::string svgText(std::string_view latin1) {
    std::string out;
    for (char c : latin1) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (u < 0x80) {
                out += c;
            } else {
                out += static_cast<char>(0xC0 | (u >> 6));
                out += static_cast<char>(0x80 | (u & 0x3F));
            }
        }
    }
    return out;
}

std::string pdfText(std::string_view latin1) {
    std::string out;
    for (char c : latin1) {
        if (c == '(' || c == ')' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

class VectorObserver : public DrawingObserver {
public:
    explicit VectorObserver(PictureFormat format) : m_format(format) {}
    void text(std::string_view latin1, unsigned fontBase) override {
        const bool small = fontBase == kViewFontBase;
        const std::string shown =
            m_format == PictureFormat::Svg ? svgText(latin1) : pdfText(latin1);
        gl2psTextOpt(
            shown.c_str(), small ? "Helvetica" : "Helvetica-Bold",
            static_cast<GLshort>(
                ScaledFont(small ? ViewFont() : SystemFont(), DevicePixelRatio()).pixelSize()),
            GL2PS_TEXT_BL, 0.0f);
    }
    void stippleChanged(bool enabled) override {
        if (enabled)
            gl2psEnable(GL2PS_LINE_STIPPLE);
        else
            gl2psDisable(GL2PS_LINE_STIPPLE);
    }
    // The page has the surface's device pixels.
    void lineWidthChanged(float width) override {
        gl2psLineWidth(width * static_cast<float>(DevicePixelRatio()));
        // A wide curve is drawn segment by segment: round ends join them as on the
        // screen, where the pixels of neighbouring segments overlap.
        const bool wide = width > 1.0f;
        gl2psLineCap(wide ? GL2PS_LINE_CAP_ROUND : GL2PS_LINE_CAP_BUTT);
        gl2psLineJoin(wide ? GL2PS_LINE_JOIN_ROUND : GL2PS_LINE_JOIN_MITER);
    }

private:
    PictureFormat m_format;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

QByteArray readAll(std::FILE* file) {
    QByteArray bytes;
    std::rewind(file);
    char chunk[65536];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<qsizetype>(got));
    }
    return bytes;
}

} // namespace

std::optional<PictureFormat> PictureFormatOfPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return PictureFormat::Png;
    if (suffix == QLatin1String("svg"))
        return PictureFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return PictureFormat::Pdf;
    return std::nullopt;
}

QImage RenderPicture(const PictureSource& source, int scale) {
    GlPanel* surface = source.surface;
    if (surface == nullptr || !surface->makeSurfaceCurrent())
        return {};
    if (scale <= 1)
        return surface->grabFramebuffer();
    const ScreenStateRestorer restorer(surface);
    const QSize size = DeviceSize(surface) * scale;
    QOpenGLFramebufferObject target(size, QOpenGLFramebufferObject::Depth);
    if (!target.isValid() || !target.bind())
        return {};
    SetRasterScale(scale);
    glViewport(0, 0, restorer.viewport()[2] * scale, restorer.viewport()[3] * scale);
    SetLineWidth(1.0f);
    source.draw();
    glFinish();
    QImage image = target.toImage(true).convertToFormat(QImage::Format_RGB32);
    target.release();
    return image;
}

QByteArray VectorPicture(const PictureSource& source, PictureFormat format, QString* error) {
    GlPanel* surface = source.surface;
    if (surface == nullptr || !surface->makeSurfaceCurrent()) {
        if (error != nullptr)
            *error = QStringLiteral("there is no picture to save");
        return {};
    }
    const ScreenStateRestorer restorer(surface);
    const QSize size = DeviceSize(surface);
    GLint page[4] = {0, 0, size.width(), size.height()};
    const QByteArray title = source.title.toUtf8();
    VectorObserver observer(format);
    // The feedback buffer grows until the whole picture fits in it.
    for (GLint floats = 1 << 22; floats <= (1 << 30); floats *= 2) {
        std::unique_ptr<std::FILE, FileCloser> file(std::tmpfile());
        if (!file) {
            if (error != nullptr)
                *error = QStringLiteral("no temporary file could be made");
            return {};
        }
        gl2psBeginPage(title.constData(), "Quorvel Tessaplot", page,
                       format == PictureFormat::Svg ? GL2PS_SVG : GL2PS_PDF, GL2PS_SIMPLE_SORT,
                       GL2PS_SILENT | GL2PS_OCCLUSION_CULL | GL2PS_DRAW_BACKGROUND, GL_RGBA, 0,
                       nullptr, 0, 0, 0, floats, file.get(), title.constData());
        SetDrawingObserver(&observer);
        SetLineWidth(1.0f);
        source.draw();
        SetDrawingObserver(nullptr);
        const GLint state = gl2psEndPage();
        if (state == GL2PS_OVERFLOW)
            continue;
        if (state != GL2PS_SUCCESS) {
            if (error != nullptr)
                *error = QStringLiteral("the vector picture could not be made");
            return {};
        }
        std::fflush(file.get());
        return readAll(file.get());
    }
    if (error != nullptr)
        *error = QStringLiteral("the picture is too large for a vector file");
    return {};
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error != nullptr)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool SavePicture(const PictureSource& source, const QString& path, PictureFormat format, int scale,
                 QString* error) {
    QByteArray bytes;
    if (format == PictureFormat::Png) {
        const QImage image = RenderPicture(source, scale);
        if (image.isNull()) {
            if (error != nullptr)
                *error = QStringLiteral("there is no picture to save");
            return false;
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) {
            if (error != nullptr)
                *error = QStringLiteral("the PNG image could not be made");
            return false;
        }
    } else {
        bytes = VectorPicture(source, format, error);
        if (bytes.isEmpty())
            return false;
    }
    return WriteWholeFile(path, bytes, error);
}

} // namespace tessaplot
