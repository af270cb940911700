#!/usr/bin/env bash
# The window benchmark on the real X11 platform (xcb) under an Xvfb of its own, where each
# repaint also goes to the X server.
#   window_xcb.sh BUILD_DIR [ROUNDS]
set -euo pipefail
build=${1:?usage: window_xcb.sh BUILD_DIR [ROUNDS]}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
chmod 700 "$work"
. "$here/xvfb.sh"
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
start_x
QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work "$build/bench/bench_window" "${2:-1000}"
