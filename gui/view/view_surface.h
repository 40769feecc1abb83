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

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    // Input goes on to the view widget, which answers it as it answers events sent to it.
    bool event(QEvent* event) override;

private:
    CDave3vView* view_;
};

} // namespace plicato
