#pragma once

#include <QColor>
#include <QImage>
#include <QMatrix4x4>
#include <QPoint>

#include <functional>

namespace tessaplot {
class GlPanel;
}

namespace tessaplot::test {

// Whether any pixel of `image` within `radius` of `p` satisfies `test`.
bool AnyPixelNear(const QImage& image, QPoint p, int radius,
                  const std::function<bool(const QColor&)>& test);

// Reads what a panel shows and where model points land in it.
struct PictureProbe {
    QImage image;      // the panel's framebuffer
    QMatrix4x4 mvp;    // projection * modelview that places model points
    int width, height; // framebuffer size in pixels

    PictureProbe(GlPanel* panel, const QMatrix4x4& modelViewProjection);

    // The pixel (x to the right, y downwards) where a model point is drawn.
    QPoint pixelOf(float x, float y, float z) const;
    QColor colorAt(QPoint p) const { return image.pixelColor(p); }
    // Whether any pixel within `radius` of `p` satisfies `test`.
    template <typename Test> bool anyNear(QPoint p, int radius, Test test) const {
        return AnyPixelNear(image, p, radius, test);
    }
};

// The projection and modelview matrices of the panel's context, as OpenGL holds them.
QMatrix4x4 CurrentProjection(GlPanel* panel);
QMatrix4x4 CurrentModelView(GlPanel* panel);

// The expected matrices, built from the stated numbers rather than from the code.
QMatrix4x4 ExpectedProjection(int width, int height, float halfExtent);
QMatrix4x4 ExpectedInitialView(bool threeD);

bool NearlyEqual(const QMatrix4x4& a, const QMatrix4x4& b, float tolerance = 1e-5f);

inline bool isBlack(const QColor& c) {
    return c.red() < 60 && c.green() < 60 && c.blue() < 60;
}
inline bool isWhite(const QColor& c) {
    return c.red() > 250 && c.green() > 250 && c.blue() > 250;
}
inline bool isGridGrey(const QColor& c) {
    return qAbs(c.red() - 204) < 8 && qAbs(c.green() - 204) < 8 && qAbs(c.blue() - 204) < 8;
}

} // namespace tessaplot::test
