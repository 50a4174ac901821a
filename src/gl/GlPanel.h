#pragma once

#include "gl/WindowMapping.h"

#include <QOpenGLWidget>

#include <cstdint>
#include <functional>

namespace tessaplot {

// One OpenGL drawing surface: a view panel of the main window, the comfort chart
// panel, or the client area of the 2D image window. Each panel keeps one context for
// its whole life; "binding" it resets that context to a fresh state instead of
// creating a new one.
//
// Pictures are drawn by the window handlers (makeCurrent(), draw, present()), not
// by paintGL: the framebuffer keeps its content between draws, and paintGL only
// reports when the framebuffer had to be made anew (first show, resize) so the
// owner can draw again.
class GlPanel : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit GlPanel(QWidget* parent = nullptr);
    ~GlPanel() override;

    // True once the panel has a context (after its first showing).
    bool hasContext() const;
    // Makes the panel's context current, and the panel's device pixel ratio the one
    // the drawing uses; false when it has no context yet.
    bool makeSurfaceCurrent();
    // Shows what was drawn into the framebuffer ("swap the buffers").
    void present();

    // Gives the panel's context a fresh drawing state by running `setup` with the
    // context current, and leaves it current. A panel without a context yet keeps
    // the set-up and runs it as soon as the context exists: never dropped.
    void BindSurface(std::function<void()> setup);
    // The panel was bound but its set-up is still waiting for the context.
    bool bindingPending() const { return m_bindingPending; }

    // Called from paintGL when the framebuffer is new and holds no picture.
    void setFramebufferRecreatedHandler(std::function<void()> handler);
    // Called once, right after the context was created.
    void setContextCreatedHandler(std::function<void()> handler);

    // The view of the picture last shown, to read its points off the screen, and a
    // count of the pictures shown (a new one may have a new view or new records).
    // present() takes them; an owner that draws in paintGL calls notePictureShown()
    // with its context current after drawing.
    void notePictureShown();
    const WindowMapping& shownMapping() const { return m_shownMapping; }
    std::uint64_t shownGeneration() const { return m_shownGeneration; }
    // Called after a picture was shown; it must not draw.
    std::function<void()> onPictureShown;

    // Mouse hooks for the navigation of the main window. Moves come with a button held
    // only, as they did before the panel tracked the pointer for its readout.
    std::function<void(QMouseEvent*)> onMousePress;
    std::function<void(QMouseEvent*)> onMouseMove;
    std::function<void(QMouseEvent*)> onDoubleClick;

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void adoptDevicePixelRatio() const;

    bool m_framebufferFresh = true;
    bool m_bindingPending = false;
    std::function<void()> m_surfaceSetup;
    std::function<void()> m_framebufferRecreated;
    std::function<void()> m_contextCreated;
    WindowMapping m_shownMapping;
    std::uint64_t m_shownGeneration = 0;
};

// `logical` window pixels of `widget` in device pixels, as its framebuffer has them.
int DevicePixels(int logical, const QWidget* widget);
// The size of `widget`'s framebuffer in device pixels.
QSize DeviceSize(const QWidget* widget);

} // namespace tessaplot
