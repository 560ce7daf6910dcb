#include "WindowApplication.h"

#include <iostream>

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <QScreen>

#include <halvo_app/Qt/oglQtRenderContext.h>
#include <halvo_gfx/gfx_types.h>

#include "FullScreenEffect.h"
#include <halvo_gfx/mt_renderer.h>

namespace hlv_app_window {

CWindowApplication::CWindowApplication(QApplication* application, const WINDOW_OPTIONS& options)
    : QtGLApplication(application), m_options(options)
{
    setWindowTitle("Halvo window");
    // A day of playback.
    m_timer.GetQtTimer().setEndTime(24ull * 60 * 60 * 1000);
    setTimer(&m_timer, false);
    AddFrameHandler(this);
}

CWindowApplication::~CWindowApplication() { StopThreads(); }

void CWindowApplication::UserInit()
{
    ShowMessage("Begin initialization");
    QSize size(m_options.width, m_options.height);
    if (m_options.width > 0) {
        resize(size);
        show();
    } else {
        // Without a window manager the full-screen state alone does not size
        // the window.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        size = screen.size();
        setGeometry(screen);
        showFullScreen();
    }

    ShowMessage("Load Effect");
    const std::string shaders = QCoreApplication::applicationDirPath().toStdString() + "/hlv_app_window_shaders/";
    std::string error;
    const auto effect = LoadFullScreenEffect(*getMTGfxSystem(), "Waves", shaders + "full_screen.vs.glsl",
                                             shaders + "waves.ps.glsl", error);
    if (!effect || !m_scene.Build(*getSceneGraph(), effect, static_cast<std::uint64_t>(size.width()),
                                  static_cast<std::uint64_t>(size.height()), error)) {
        std::cerr << "hlv_app_window: " << error << std::endl;
        m_failed = true;
        StopThreads();
        return;
    }
    ShowMessage("Initialization done");
}

void CWindowApplication::UserShutdown() {}

void CWindowApplication::UserStart() { m_timer.Start(); }

std::uint64_t CWindowApplication::FramesShown() const { return GetQtRenderContext()->GetPresentedFrames(); }

void CWindowApplication::OnThreadsStopped() { std::cout << "All threads are stoped." << std::endl; }

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
    // Update thread, before the scene graph runs.
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
        QMetaObject::invokeMethod(
            this, [this] { PressEscape(); }, Qt::QueuedConnection);
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
