#include "support/PictureProbe.h"

#include "gl/GlPanel.h"

#include <GL/gl.h>

namespace tessaplot::test {

bool AnyPixelNear(const QImage& image, QPoint p, int radius,
                  const std::function<bool(const QColor&)>& test) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint q(p.x() + dx, p.y() + dy);
            if (image.rect().contains(q) && test(image.pixelColor(q)))
                return true;
        }
    return false;
}

namespace {

QMatrix4x4 readMatrix(GlPanel* panel, GLenum which) {
    panel->makeCurrent();
    float m[16];
    glGetFloatv(which, m);
    // OpenGL stores column-major; QMatrix4x4's float constructor takes row-major.
    return QMatrix4x4(m).transposed();
}

} // namespace

QMatrix4x4 CurrentProjection(GlPanel* panel) {
    return readMatrix(panel, GL_PROJECTION_MATRIX);
}
QMatrix4x4 CurrentModelView(GlPanel* panel) {
    return readMatrix(panel, GL_MODELVIEW_MATRIX);
}

QMatrix4x4 ExpectedProjection(int width, int height, float h) {
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    QMatrix4x4 m;
    m.ortho(-h, h, -h / aspect, h / aspect, -2 * h, 2 * h);
    return m;
}

QMatrix4x4 ExpectedInitialView(bool threeD) {
    QMatrix4x4 m;
    if (threeD) {
        m.translate(-0.6f, -0.3f, 0.0f);
        m.rotate(-60.0f, 1, 0, 0);
        m.rotate(-60.0f, 0, 0, 1);
    } else {
        m.translate(-0.4f, -0.5f, 0.0f);
    }
    return m;
}

bool NearlyEqual(const QMatrix4x4& a, const QMatrix4x4& b, float tolerance) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (qAbs(a(r, c) - b(r, c)) > tolerance)
                return false;
    return true;
}

PictureProbe::PictureProbe(GlPanel* panel, const QMatrix4x4& modelViewProjection)
    : image(panel->grabFramebuffer()), mvp(modelViewProjection), width(image.width()),
      height(image.height()) {}

QPoint PictureProbe::pixelOf(float x, float y, float z) const {
    const QVector3D ndc = mvp.map(QVector3D(x, y, z));
    const float px = (ndc.x() + 1.0f) * 0.5f * static_cast<float>(width);
    const float py = (1.0f - (ndc.y() + 1.0f) * 0.5f) * static_cast<float>(height);
    return QPoint(static_cast<int>(px), static_cast<int>(py));
}

} // namespace tessaplot::test
