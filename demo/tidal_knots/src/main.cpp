// Tidal Knots: plays the demo full screen, in time with its track. Started
// from the folder that holds LocalData/ and LocalShader/. Escape, the player's
// stop button and the end of the track end it with status 0; a start-up that
// cannot load or build what the demo needs ends it with status 1, as do no
// display and an OpenGL without what the renderer needs.
#include <memory>

#include <QApplication>

#include <halvo_app/Application/RunApplication.h>
#include <halvo_app/Qt/QtDisplayCheck.h>
#include <halvo_app/Qt/QtGLApplication.h>
#include <tidal_knots/QtSampleApp.h>

int main(int argc, char** argv)
{
    hlv_app::QtGLApplication::PreparePlatform();
    if (!hlv_app::CheckDisplay(argc, argv)) return 1;
    QApplication application(argc, argv);
    auto demo = std::make_unique<dmo_nimra::QtSampleApp>(&application);
    const int status = hlv_app::RunApplication(*demo, [&application] { return application.exec(); });
    const bool failed = demo->Failed();
    // Before the QApplication goes: the window, the sound system.
    demo.reset();
    return failed ? 1 : status;
}
