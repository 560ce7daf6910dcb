#include <halvo_app/Qt/QtGLWidget.h>

#include <QMouseEvent>
#include <QResizeEvent>

#include <halvo_app/Qt/QtGLApplication.h>

namespace hlv_app {

QtGLWidget::QtGLWidget(const QGLFormat& format, QWidget* parent, QtGLApplication* application)
    : QGLWidget(format, parent), m_application(application)
{
    setAutoBufferSwap(false);
}

void QtGLWidget::initializeGL() {}

void QtGLWidget::resizeGL(int, int) {}

void QtGLWidget::paintGL() {}

void QtGLWidget::paintEvent(QPaintEvent*) {}

void QtGLWidget::resizeEvent(QResizeEvent* event)
{
    // QGLWidget's own handler would make the context current here.
    QWidget::resizeEvent(event);
    if (m_application) m_application->OnGLWidgetResized();
}

void QtGLWidget::mouseMoveEvent(QMouseEvent* event) { emit mouseMoveEventSignal(event); }

}  // namespace hlv_app
