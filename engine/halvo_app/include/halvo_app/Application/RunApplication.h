#pragma once
// The life of an application as main drives it: the application becomes
// g_application, starts (StartApplication), runs the event loop, stops its
// threads and shuts down. Returns the status main returns:
//   - the render thread could not start: its threads are stopped and joined
//     and the status is 1 (the event loop does not run);
//   - a stop was requested during start-up: no event loop, threads stopped,
//     UserShutdown, status 0;
//   - otherwise the event loop's status, after StopThreads and UserShutdown.
// No thread of the application runs any more when it returns.
#include <functional>

namespace hlv_app {

class AHalvoApplication;

int RunApplication(AHalvoApplication& application, const std::function<int()>& eventLoop);

}  // namespace hlv_app
