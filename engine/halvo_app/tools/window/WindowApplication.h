#pragma once
// The window program's application: the Qt GL application drawing a small
// scene (a camera node and one full-screen shade-node pass moved by the frame
// time). Escape ends it with status 0; so does the frame count given on the
// command line. A shader that does not build ends it at start-up (Failed).
#include <atomic>
#include <cstdint>
#include <list>
#include <string>

#include <halvo_app/Application/IFrameHandler.h>
#include <halvo_app/Application/QtTimer.h>
#include <halvo_app/Qt/QtGLApplication.h>

#include "WindowOptions.h"
#include "WindowScene.h"

class QKeyEvent;

namespace hlv_app_window {

class CWindowApplication : public hlv_app::QtGLApplication, private hlv_app::IFrameHandler {
    Q_OBJECT

public:
    CWindowApplication(QApplication* application, const WINDOW_OPTIONS& options);
    ~CWindowApplication() override;

    void UserInit() override;
    void UserShutdown() override;
    void UserStart() override;
    void OnThreadsStopped() override;
    void OnRendererHalted(const std::list<std::string>& messages) override;
    void OnRendererHalted(const std::string& message) override;

    // Frames presented on the screen so far.
    std::uint64_t FramesShown() const;
    // Start-up could not build the scene.
    bool Failed() const { return m_failed; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnFrame() override;
    // GUI thread.
    void PressEscape();

    WINDOW_OPTIONS m_options;
    // The application timer: the playback clock, started once the first
    // frames are shown.
    hlv_app::QtTimer m_timer;
    CWindowScene m_scene;
    bool m_failed = false;
    // Update thread.
    bool m_firstFrameSeen = false;
    bool m_quitRequested = false;
};

}  // namespace hlv_app_window
