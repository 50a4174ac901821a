#include "gl/BitmapFont.h"

#include "gl/DrawingState.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QOpenGLContext>
#include <QPainter>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessaplot {

QFont SystemFont() {
    // The titles were placed for a stock system font in which "Thickness (cm)" is about
    // 97 pixels wide; this bold face at 13 pixels has nearly that width (95), where a
    // wider one runs the title into the thickness tick labels beside its end.
    QFont font{QString::fromLatin1(kSansFamily)};
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

QFont ViewFont() {
    QFont font{QString::fromLatin1(kSansFamily)};
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    return font;
}

namespace {

// Rasterises one glyph into the 1-bit rows glBitmap wants: bottom row first,
// most significant bit leftmost, rows padded to whole bytes (unpack alignment 1).
std::vector<GLubyte> glyphBitmap(const QImage& cell) {
    const int rowBytes = (cell.width() + 7) / 8;
    std::vector<GLubyte> bits(static_cast<size_t>(rowBytes * cell.height()), 0);
    for (int y = 0; y < cell.height(); ++y) {
        const int glRow = cell.height() - 1 - y;
        const QRgb* line = reinterpret_cast<const QRgb*>(cell.constScanLine(y));
        for (int x = 0; x < cell.width(); ++x) {
            if (qGray(line[x]) < 128)
                bits[static_cast<size_t>(glRow * rowBytes + x / 8)] |=
                    static_cast<GLubyte>(0x80u >> (x % 8));
        }
    }
    return bits;
}

void buildGlyphLists(const QFont& font, unsigned base) {
    const QFontMetrics metrics(font);
    const int height = metrics.height();
    const int descent = metrics.descent();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    for (int code = 0; code < kGlyphListCount; ++code) {
        const QChar ch = QChar::fromLatin1(static_cast<char>(code));
        const bool printable = ch.isPrint();
        const int advance = printable ? metrics.horizontalAdvance(ch) : 0;
        const int width = advance > 0 ? advance : 1;
        QImage cell(width, height, QImage::Format_RGB32);
        cell.fill(Qt::white);
        if (printable) {
            QPainter painter(&cell);
            painter.setRenderHint(QPainter::TextAntialiasing, false);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(0, metrics.ascent(), QString(ch));
        }
        const std::vector<GLubyte> bits = glyphBitmap(cell);
        glNewList(base + static_cast<unsigned>(code), GL_COMPILE);
        glBitmap(width, height, 0.0f, static_cast<float>(descent), static_cast<float>(advance),
                 0.0f, bits.data());
        glEndList();
    }
}

} // namespace

QFont ScaledFont(QFont font, double scale) {
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * scale))));
    return font;
}

namespace {

// The pixel scale the glyph lists of a context were made for; a context without it
// has none yet.
constexpr char kGlyphScaleProperty[] = "tessaplotGlyphScale";
unsigned g_fontBase = kSystemFontBase;

} // namespace

void UseFont(unsigned base) {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    const double scale = PixelScale();
    if (context != nullptr && context->property(kGlyphScaleProperty).toDouble() != scale) {
        buildGlyphLists(ScaledFont(SystemFont(), scale), kSystemFontBase);
        buildGlyphLists(ScaledFont(ViewFont(), scale), kViewFontBase);
        context->setProperty(kGlyphScaleProperty, scale);
    }
    g_fontBase = base;
    glListBase(base);
}

void DrawLabel(float x, float y, float z, std::string_view text) {
    glRasterPos3f(x, y, z);
    if (DrawingObserver* observer = CurrentDrawingObserver())
        observer->text(text, g_fontBase);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
}

} // namespace tessaplot
