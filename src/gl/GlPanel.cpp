#include "gl/GlPanel.h"

#include "gl/DrawReduction.h"
#include "gl/DrawingState.h"

#include <QMouseEvent>
#include <QOpenGLContext>

namespace tessaplot {

GlPanel::GlPanel(QWidget* parent) : QOpenGLWidget(parent) {
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
}

GlPanel::~GlPanel() = default;

bool GlPanel::hasContext() const {
    return context() != nullptr && context()->isValid();
}

bool GlPanel::makeSurfaceCurrent() {
    if (!hasContext())
        return false;
    makeCurrent();
    adoptDevicePixelRatio();
    return true;
}

void GlPanel::adoptDevicePixelRatio() const {
    SetDevicePixelRatio(devicePixelRatioF());
}

int DevicePixels(int logical, const QWidget* widget) {
    return static_cast<int>(logical * widget->devicePixelRatioF() + 0.5);
}

QSize DeviceSize(const QWidget* widget) {
    return {DevicePixels(widget->width(), widget), DevicePixels(widget->height(), widget)};
}

void GlPanel::present() {
    notePictureShown();
    update();
}

void GlPanel::notePictureShown() {
    ++m_shownGeneration;
    if (hasContext() && QOpenGLContext::currentContext() == context())
        m_shownMapping = CurrentWindowMapping();
    if (onPictureShown)
        onPictureShown();
}

void GlPanel::setFramebufferRecreatedHandler(std::function<void()> handler) {
    m_framebufferRecreated = std::move(handler);
}

void GlPanel::setContextCreatedHandler(std::function<void()> handler) {
    m_contextCreated = std::move(handler);
}

void GlPanel::BindSurface(std::function<void()> setup) {
    m_surfaceSetup = std::move(setup);
    if (makeSurfaceCurrent()) {
        m_bindingPending = false;
        m_surfaceSetup();
    } else {
        m_bindingPending = true;
    }
}

void GlPanel::initializeGL() {
    adoptDevicePixelRatio();
    if (m_bindingPending && m_surfaceSetup) {
        m_bindingPending = false;
        m_surfaceSetup();
    }
    if (m_contextCreated)
        m_contextCreated();
}

void GlPanel::resizeGL(int, int) {
    m_framebufferFresh = true;
}

void GlPanel::paintGL() {
    // A resize or the first showing gives a framebuffer without our picture: ask the
    // owner to draw it again rather than drawing here, so every picture comes from
    // the same handler sequence.
    if (m_framebufferFresh) {
        m_framebufferFresh = false;
        adoptDevicePixelRatio();
        if (m_framebufferRecreated)
            m_framebufferRecreated();
    }
}

// A panel is a control of its own: its mouse events end here, whether a handler takes
// them or not, and never reach the page or the window behind it.
void GlPanel::mousePressEvent(QMouseEvent* event) {
    if (onMousePress)
        onMousePress(event);
    event->accept();
}

void GlPanel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void GlPanel::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove && (event->buttons() != Qt::NoButton || !hasMouseTracking()))
        onMouseMove(event);
    event->accept();
}

void GlPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (onDoubleClick)
        onDoubleClick(event);
    event->accept();
}

} // namespace tessaplot
