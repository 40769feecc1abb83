// The GL window the 3D view draws in, embedded in the view widget through a window container:
// a window of its own is shown without the widget composition a GL widget pays every frame.
#pragma once

#include <QOpenGLWindow>

namespace plicato {

class CDave3vView;

// The pointer and key events the view answers, wherever they arrive.
bool isViewInput(const QEvent* event);

class ViewSurface : public QOpenGLWindow {
    Q_OBJECT
public:
    explicit ViewSurface(CDave3vView* view);
    // Asks for a frame drawn as soon as the queued events have been handled. The platform's own
    // update request waits on an idle timer first (5 ms on X11), which a drag pays every frame.
    void requestFrame();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    // Input goes on to the view widget, which answers it as it answers events sent to it.
    bool event(QEvent* event) override;

private:
    CDave3vView* view_;
    bool framePosted_ = false; // our own update request is on its way
    bool frameWanted_ = false; // a frame was asked for and not drawn yet
};

} // namespace plicato
