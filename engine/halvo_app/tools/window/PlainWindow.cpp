#include "PlainWindow.h"

#include <QApplication>
#include <QGLWidget>
#include <QKeyEvent>
#include <QMetaObject>
#include <QScreen>
#include <QTimer>

#include <halvo_app/Qt/QtGLApplication.h>

namespace hlv_app_window {

namespace {

class CPlainGLWindow : public QGLWidget {
public:
    explicit CPlainGLWindow(const WINDOW_OPTIONS& options) : m_options(options) {}

protected:
    void paintGL() override
    {
        glClearColor(0.15f, 0.25f, 0.35f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (m_firstPaint) {
            m_firstPaint = false;
            // After this paint, QGLWidget swaps: the first frame is shown.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (m_options.times) PrintTime("first-frame");
                    if (m_options.escapeAfter || m_options.frames) PressEscape();
                },
                Qt::QueuedConnection);
        }
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape) {
            close();
            QCoreApplication::exit(0);
            return;
        }
        QGLWidget::keyPressEvent(event);
    }

private:
    void PressEscape()
    {
        if (m_options.times) PrintTime("escape");
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(this, &press);
    }

    WINDOW_OPTIONS m_options;
    bool m_firstPaint = true;
};

}  // namespace

int RunPlainWindow(int argc, char** argv, const WINDOW_OPTIONS& options)
{
    hlv_app::QtGLApplication::PreparePlatform();
    QApplication application(argc, argv);
    CPlainGLWindow window(options);
    if (options.width > 0) {
        window.resize(options.width, options.height);
        window.show();
    } else {
        window.setGeometry(QGuiApplication::primaryScreen()->geometry());
        window.showFullScreen();
    }
    const int status = application.exec();
    if (options.times) PrintTime("stop");
    return status;
}

}  // namespace hlv_app_window
