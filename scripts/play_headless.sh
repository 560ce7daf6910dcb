#!/usr/bin/env bash
# Plays the demo on a virtual 1920x1080 screen with the silent audio driver,
# saves screenshots at fixed demo times and prints a frame-rate summary.
#   scripts/play_headless.sh <program> <screenshot-dir> [seconds...]
# Run from the demo's data folder. The screenshots are taken at the given
# demo times (default 2 30 60 90 105), counted from the start of playback;
# the exit status is the demo's own.
set -uo pipefail
program=$1
shots=$2
shift 2
times=("$@")
[ ${#times[@]} -gt 0 ] || times=(2 30 60 90 105)
mkdir -p "$shots"

# A display of our own, whatever DISPLAY says.
exec 3< <(Xvfb -displayfd 1 -screen 0 1920x1080x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r -t 20 display <&3 || { echo "play_headless: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"
export QT_XCB_GL_INTEGRATION=${QT_XCB_GL_INTEGRATION:-xcb_glx}
export SOUND_LAYER_SILENT=1
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
log=$(mktemp)
cleanup() { kill "$xvfb_pid" 2>/dev/null; rm -f "$log"; }
trap cleanup EXIT

"$program" > >(tee "$log") 2>&1 &
demo_pid=$!

# Demo time runs from "Playback started" (the playback clock follows the
# track from there).
until grep -q "^Playback started" "$log" 2>/dev/null; do
    if ! kill -0 "$demo_pid" 2>/dev/null; then wait "$demo_pid"; exit $?; fi
    sleep 0.05
done
start=$(date +%s.%N)
for t in "${times[@]}"; do
    while :; do
        now=$(date +%s.%N)
        awk -v n="$now" -v s="$start" -v t="$t" 'BEGIN { exit !(n - s >= t) }' && break
        kill -0 "$demo_pid" 2>/dev/null || break 2
        sleep 0.02
    done
    file=$(printf '%s/demo_%03ds.png' "$shots" "$t")
    xwd -root -silent -display "$DISPLAY" | convert xwd:- "$file" && echo "screenshot at ${t} s: $file"
done
wait "$demo_pid"
status=$?
echo "play_headless: screenshots in $shots"
grep "^Playback ended" "$log" | sed 's/^/play_headless: /'
exit $status
