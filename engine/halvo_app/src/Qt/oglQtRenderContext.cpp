#include <halvo_app/Qt/oglQtRenderContext.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGLContext>
#include <QGLWidget>
#include <QOpenGLContext>
#include <QPointer>
#include <QThread>
#include <QWindow>

#include <halvo_core/fatal.h>

#include "gl_calls.h"

namespace hlv_app {

namespace {

QOpenGLContext* ContextObject(QGLWidget* widget)
{
    QGLContext* context = widget->context();
    return context ? context->contextHandle() : nullptr;
}

// Copies the exposure state of a window, on the GUI thread, into a flag the
// render thread reads.
class CExposureWatch : public QObject {
public:
    CExposureWatch(QWindow* window, std::atomic<bool>& exposed) : m_window(window), m_exposed(exposed)
    {
        m_exposed = window->isExposed();
        window->installEventFilter(this);
    }
    ~CExposureWatch() override
    {
        if (m_window) m_window->removeEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Expose) m_exposed = m_window->isExposed();
        return false;
    }

private:
    QPointer<QWindow> m_window;
    std::atomic<bool>& m_exposed;
};

}  // namespace

oglQtRenderContext::oglQtRenderContext(QGLWidget* widget) : m_widget(widget), m_guiThread(nullptr)
{
    HLV_FATAL_CHECK(widget != nullptr, "oglQtRenderContext: no GL widget to render into.");
    m_guiThread = widget->thread();
    if (QWindow* window = widget->windowHandle()) m_exposureWatch = std::make_unique<CExposureWatch>(window, m_exposed);
}

oglQtRenderContext::~oglQtRenderContext() = default;

void oglQtRenderContext::PrepareForRenderThread()
{
    if (QOpenGLContext* context = ContextObject(m_widget)) context->moveToThread(nullptr);
}

std::uint32_t oglQtRenderContext::MakeCurrent()
{
    QOpenGLContext* context = ContextObject(m_widget);
    if (!context) return 1;
    // An object without a thread may be taken over by the calling thread.
    if (context->thread() != QThread::currentThread()) context->moveToThread(QThread::currentThread());
    if (context->thread() != QThread::currentThread()) return 1;
    m_widget->makeCurrent();
    if (QOpenGLContext::currentContext() != context) return 1;
    gl::DrainErrors();
    return 0;
}

std::uint32_t oglQtRenderContext::DoneCurrent()
{
    QOpenGLContext* context = ContextObject(m_widget);
    if (!context) return 1;
    if (context->thread() != QThread::currentThread()) return 1;
    m_widget->doneCurrent();
    context->moveToThread(m_guiThread);
    return 0;
}

std::uint32_t oglQtRenderContext::SwapBuffers()
{
    // Before the window is shown (during start-up) there is nothing to
    // present to, and Qt warns about every such swap.
    if (!m_exposed.load()) return 0;
    m_widget->swapBuffers();
    m_presented.fetch_add(1);
    return 0;
}

std::uint32_t oglQtRenderContext::Clear()
{
    gl::ClearWithHaltColour();
    return 0;
}

}  // namespace hlv_app
