#pragma once
// The OpenGL view of the main window. The GUI thread never paints into it,
// never initialises GL in it and never makes its context current on a resize:
// the render thread owns the context. Buffers are swapped by the render
// thread only.
//
// Includes Qt's GL headers: a source that also needs GL/glew.h includes that
// first.
#include <QGLFormat>
#include <QGLWidget>

class QMouseEvent;
class QPaintEvent;
class QResizeEvent;

namespace hlv_app {

class QtGLApplication;

class QtGLWidget : public QGLWidget {
    Q_OBJECT

public:
    // Automatic buffer swapping is off. application may be null.
    QtGLWidget(const QGLFormat& format, QWidget* parent, QtGLApplication* application);

signals:
    void mouseMoveEventSignal(QMouseEvent* event);

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void paintEvent(QPaintEvent* event) override;
    // Tells the application (OnGLWidgetResized); the context is not touched.
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QtGLApplication* m_application;
};

}  // namespace hlv_app
