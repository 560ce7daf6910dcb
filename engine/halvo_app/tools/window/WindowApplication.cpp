#include "WindowApplication.h"

#include <cmath>
#include <iostream>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QKeyEvent>
#include <QMetaObject>

#include <halvo_gfx/gfx_types.h>
#include <halvo_app/Qt/oglQtRenderContext.h>
#include <halvo_gfx/mt_renderer.h>

namespace hlv_app_window {

CWindowApplication::CWindowApplication(QApplication* application, const WINDOW_OPTIONS& options)
    : QtGLApplication(application), m_options(options)
{
    setWindowTitle("Halvo window");
    AddFrameHandler(this);
}

CWindowApplication::~CWindowApplication()
{
    StopThreads();
}

void CWindowApplication::UserInit()
{
    ShowMessage("Begin initialization");
    if (m_options.width > 0) {
        resize(m_options.width, m_options.height);
        show();
    } else {
        // Without a window manager the full-screen state alone does not size
        // the window.
        setGeometry(QGuiApplication::primaryScreen()->geometry());
        showFullScreen();
    }
    ShowMessage("Initialization done");
}

void CWindowApplication::UserShutdown() {}

void CWindowApplication::UserStart() {}

std::uint64_t CWindowApplication::FramesShown() const
{
    return GetQtRenderContext()->GetPresentedFrames();
}

void CWindowApplication::OnThreadsStopped()
{
    std::cout << "All threads are stoped." << std::endl;
}

void CWindowApplication::OnRendererHalted(const std::list<std::string>& messages)
{
    for (const auto& message : messages) std::cerr << message << '\n';
    std::cerr << "Renderer Halted" << std::endl;
}

void CWindowApplication::OnRendererHalted(const std::string& message)
{
    std::cerr << message << '\n' << "Renderer Halted" << std::endl;
}

void CWindowApplication::OnFrame()
{
    // Update thread: one clear per frame, its colour drifting with time.
    const double t = static_cast<double>(m_frame++) / 120.0;
    hlv_gfx::MTRenderer& renderer = *getMTRenderer();
    renderer.SetClearColor(static_cast<float>(0.15 + 0.1 * std::sin(t)), static_cast<float>(0.25 + 0.1 * std::sin(t * 1.3)),
                           static_cast<float>(0.35 + 0.1 * std::sin(t * 0.7)), 1.0f);
    renderer.Clear(hlv_gfx::CLM_COLOR_BUFFER | hlv_gfx::CLM_DEPTH_BUFFER);

    const std::uint64_t shown = FramesShown();
    if (shown > 0 && !m_firstFrameSeen) {
        m_firstFrameSeen = true;
        if (m_options.times) PrintTime("first-frame");
    }
    if (m_quitRequested) return;
    if (m_options.frames && shown >= *m_options.frames) {
        m_quitRequested = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_options.times) std::cout << "frames " << FramesShown() << std::endl;
                QCoreApplication::exit(0);
            },
            Qt::QueuedConnection);
    } else if (m_options.escapeAfter && shown >= *m_options.escapeAfter) {
        m_quitRequested = true;
        QMetaObject::invokeMethod(this, [this] { PressEscape(); }, Qt::QueuedConnection);
    }
}

void CWindowApplication::PressEscape()
{
    if (m_options.times) PrintTime("escape");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(this, &press);
}

void CWindowApplication::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        QCoreApplication::exit(0);
        return;
    }
    QtGLApplication::keyPressEvent(event);
}

}  // namespace hlv_app_window
