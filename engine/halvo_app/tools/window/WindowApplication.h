#pragma once
// The window program's application: the Qt GL application with a per-frame
// handler that clears the view to a slowly changing colour. Escape ends it
// with status 0; so does the frame count given on the command line.
#include <atomic>
#include <cstdint>
#include <list>
#include <string>

#include <halvo_app/Application/IFrameHandler.h>
#include <halvo_app/Qt/QtGLApplication.h>

#include "WindowOptions.h"

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

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnFrame() override;
    // GUI thread.
    void PressEscape();

    WINDOW_OPTIONS m_options;
    // Update thread.
    std::uint64_t m_frame = 0;
    bool m_firstFrameSeen = false;
    bool m_quitRequested = false;
};

}  // namespace hlv_app_window
