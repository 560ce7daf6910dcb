#include <halvo_app/Application/RunApplication.h>

#include <halvo_app/Application/AHalvoApplication.h>

namespace hlv_app {

int RunApplication(AHalvoApplication& application, const std::function<int()>& eventLoop)
{
    g_application = &application;
    const std::uint32_t started = StartApplication();
    if (started == APPR_FAIL) {
        application.StopThreads();
        return 1;
    }
    const int status = started == APPR_INVALID_OPERATION ? 0 : eventLoop();
    application.StopThreads();
    application.UserShutdown();
    return status;
}

}  // namespace hlv_app
