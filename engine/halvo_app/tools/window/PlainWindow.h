#pragma once
// The baseline of the window program's measurements: a plain GL window with
// no engine, which clears and swaps on the GUI thread and ends on Escape.
#include "WindowOptions.h"

namespace hlv_app_window {

int RunPlainWindow(int argc, char** argv, const WINDOW_OPTIONS& options);

}  // namespace hlv_app_window
