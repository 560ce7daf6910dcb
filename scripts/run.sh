#!/usr/bin/env bash
# Sets up the machine, builds in Release and runs the program: until the demo
# executable exists, the engine's window program (a scene graph drawing a
# full-screen shader pass on the render thread, fed by the update thread).
# Full screen on the desktop; Escape ends it. Arguments go to the program
# (--size WxH, --frames N, --times; see its usage line).
# Without a display it runs on a virtual one for 600 frames and prints the
# frame count, so a server shows that it ran.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
program=./build/engine/halvo_app/tools/hlv_app_window
if [[ -n "${DISPLAY:-}" ]]; then
    exec "$program" "$@"
fi
echo "run.sh: no DISPLAY; running on a virtual 1920x1080 screen for 600 frames" >&2
export QT_XCB_GL_INTEGRATION=${QT_XCB_GL_INTEGRATION:-xcb_glx}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
exec xvfb-run -a -s "-screen 0 1920x1080x24" "$program" --size 1280x720 --frames 600 --times "$@"
