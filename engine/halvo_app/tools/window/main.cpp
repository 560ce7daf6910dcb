// A window with the engine running: each frame the update thread runs a small
// scene graph (a camera node clearing the screen, one full-screen shade-node
// pass moved by the frame time) and the render thread draws it. Escape ends
// it.
//   hlv_app_window [--size WxH] [--frames N] [--escape-after N] [--times] [--plain]
// Full screen unless a size is given; --frames N quits after N frames shown,
// --escape-after N presses Escape after N frames; --times prints monotonic
// time stamps ("first-frames", "escape", "stop"); --plain runs a GL window
// without the engine instead (the baseline of the measurements).
// Ends with status 2 on a bad argument (the line names it), 1 when there is
// no display or the engine cannot start (an OpenGL without what the renderer
// needs), else 0.
#include <cstdio>
#include <string>

#include <QApplication>

#include <halvo_app/Application/RunApplication.h>
#include <halvo_app/Qt/QtDisplayCheck.h>
#include <halvo_app/Qt/QtGLApplication.h>

#include "PlainWindow.h"
#include "WindowApplication.h"
#include "WindowOptions.h"

int main(int argc, char** argv)
{
    std::string error;
    const hlv_app_window::WINDOW_OPTIONS options = hlv_app_window::ParseOptions(argc, argv, error);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\nusage: %s [--size WxH] [--frames N] [--escape-after N] [--times] [--plain]\n",
                     error.c_str(), argv[0]);
        return 2;
    }
    hlv_app::QtGLApplication::PreparePlatform();
    if (!hlv_app::CheckDisplay(argc, argv)) return 1;
    if (options.plain) return hlv_app_window::RunPlainWindow(argc, argv, options);

    QApplication application(argc, argv);
    hlv_app_window::CWindowApplication window(&application, options);
    const int status = hlv_app::RunApplication(window, [&] {
        const int loopStatus = application.exec();
        if (options.times) hlv_app_window::PrintTime("stop");
        return loopStatus;
    });
    return window.Failed() ? 1 : status;
}
