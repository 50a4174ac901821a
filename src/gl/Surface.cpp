#include "gl/Surface.h"

#include "app/MessageBoxes.h"
#include "gl/DrawingState.h"
#include "gl/GlPanel.h"
#include "gl/ViewSetup.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

#include <GL/gl.h>

namespace tessaplot {

namespace {

// Whether the window system offers any OpenGL context of our format at all; asked
// once per process, since the answer cannot change while it runs.
bool openGlFormatAvailable() {
    static const bool available = [] {
        QOpenGLContext probe;
        probe.setFormat(QSurfaceFormat::defaultFormat());
        return probe.create();
    }();
    return available;
}

} // namespace

bool SetupPixelFormat(GlPanel* panel) {
    if (!openGlFormatAvailable()) {
        ShowErrorMessage("ChoosePixelFormat failed");
        return false;
    }
    // A panel that has been shown but got no usable context could not take the format.
    if (panel != nullptr && panel->context() != nullptr && !panel->context()->isValid()) {
        ShowErrorMessage("SetPixelFormat failed");
        return false;
    }
    return true;
}

void ResetSurfaceState() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LINE_STIPPLE);
    SetLineWidth(1.0f);
    glShadeModel(GL_SMOOTH);
}

void SetupViewProjection(int width, int height, float halfExtent) {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClearDepth(2.0); // clamped to 1.0, the far end
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glMatrixMode(GL_PROJECTION);
    const OrthoVolume v = OrthographicVolume(width, height, halfExtent);
    glOrtho(v.left, v.right, v.bottom, v.top, v.nearPlane, v.farPlane);
    glMatrixMode(GL_MODELVIEW);
    glColor3f(0.0f, 0.0f, 0.0f);
    SetViewport(width, height);
}

void SetInitialView(int threeDView) {
    if (threeDView != 0) {
        glTranslatef(kInitial3DTranslate[0], kInitial3DTranslate[1], kInitial3DTranslate[2]);
        glRotatef(kInitial3DTiltX, 1.0f, 0.0f, 0.0f);
        glRotatef(kInitial3DTurnZ, 0.0f, 0.0f, 1.0f);
    } else {
        glTranslatef(kInitial2DTranslate[0], kInitial2DTranslate[1], kInitial2DTranslate[2]);
    }
}

} // namespace tessaplot
