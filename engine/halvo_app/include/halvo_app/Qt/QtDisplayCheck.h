#pragma once
// Whether the Qt application main is about to make can reach its display.
// Without one, Qt's xcb platform aborts the process inside the QApplication
// constructor; main asks first and ends with a clear line instead.

namespace hlv_app {

// After QtGLApplication::PreparePlatform, before the QApplication, with
// main's arguments (Qt reads its "-platform" and "-display" options from
// them). True when the platform Qt will use is not xcb (offscreen, minimal,
// wayland, ...: chosen explicitly, that platform's own affair) or when the X
// display opens. Otherwise prints one line to the standard error stream,
//   "<program>: no display (DISPLAY is not set); set DISPLAY or run under xvfb-run"
//   "<program>: no display (cannot connect to ':99'); set DISPLAY or run under xvfb-run"
// and returns false: main then ends with status 1.
bool CheckDisplay(int argc, char** argv);

}  // namespace hlv_app
