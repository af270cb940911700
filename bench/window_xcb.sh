#!/usr/bin/env bash
# The window benchmark on the real X11 platform (xcb) under an Xvfb of its own, where each
# repaint also goes to the X server.
#   window_xcb.sh BUILD_DIR [ROUNDS]
set -euo pipefail
build=${1:?usage: window_xcb.sh BUILD_DIR [ROUNDS]}
work=$(mktemp -d)
chmod 700 "$work"
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A random high display number, checked to be served by this Xvfb: other programs on the
# machine start X servers of their own.
for attempt in 1 2 3 4 5; do
    number=$((200 + RANDOM % 700))
    [ -e "/tmp/.X11-unix/X$number" ] && continue
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for ((i = 0; i < 100; ++i)); do
        kill -0 "$xvfb_pid" 2>/dev/null || break
        if DISPLAY=":$number" xdotool getdisplaygeometry >/dev/null 2>&1; then
            DISPLAY=":$number" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work \
                "$build/bench/bench_window" "${2:-1000}"
            exit 0
        fi
        sleep 0.05
    done
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
done
echo "window_xcb.sh: Xvfb did not start" >&2
exit 1
