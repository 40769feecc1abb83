// The view's GL window: drawing and input handed to the view widget.
#include "gui/view/view_surface.h"

#include "gui/view/dave3v_view.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QSurfaceFormat>

namespace plicato {

ViewSurface::ViewSurface(CDave3vView* view) : view_(view) {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    setFormat(format);
}

void ViewSurface::requestFrame() {
    frameWanted_ = true;
    update(); // marks the window dirty and starts the paced request
    if (framePosted_ || !isExposed())
        return;
    framePosted_ = true;
    // Low priority: input already queued (the rest of a drag) is handled before the frame.
    QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

void ViewSurface::initializeGL() {
    view_->initializeGL();
}

void ViewSurface::resizeGL(int w, int h) {
    view_->resizeGL(w, h);
}

void ViewSurface::paintGL() {
    view_->paintGL();
}

bool isViewInput(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return true;
    default:
        return false;
    }
}

bool ViewSurface::event(QEvent* event) {
    if (isViewInput(event)) {
        // The widget fills the window's area exactly, so positions need no mapping; a key the
        // view leaves goes on from the widget to the main window as usual.
        QCoreApplication::sendEvent(view_, event);
        return true;
    }
    if (event->type() == QEvent::Resize) {
        // A smaller window gets no expose from the X server: without a frame of its own it
        // would show the old one, cut off and off centre.
        QOpenGLWindow::event(event);
        requestFrame();
        return true;
    }
    if (event->type() == QEvent::UpdateRequest) {
        // Whichever request comes first draws the frame; the other finds nothing to draw.
        framePosted_ = false;
        if (!frameWanted_)
            return true;
        frameWanted_ = false;
    }
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
        // A file dropped on the view is dropped on the main window.
        QCoreApplication::sendEvent(view_->window(), event);
        return true;
    default:
        return QOpenGLWindow::event(event);
    }
}

} // namespace plicato
