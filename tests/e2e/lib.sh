# Sourced by the end-to-end scripts: a private Xvfb, a copy of the editor, a scratch folder
# ($work) that goes away at the end, and the small helpers every script uses.
# Usage in a script: . "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1"
editor=$1
title="Vantor4-16 Download Editor - Version 3.0"

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=
editor_pid=
cleanup() {
    [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The editor keeps settings.ini beside itself: run a copy so the build tree stays clean.
mkdir "$work/bin"
cp "$editor" "$work/bin/downloadeditor"

# At 96 dpi, as a desktop at 100 % reports it: the editor scales its window with the screen's
# dpi, and Xvfb's own default of 100 would make it 4 % larger.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM

step() { echo "e2e: $*"; }
fail() { echo "$*"; [ -f "$work/editor.log" ] && cat "$work/editor.log"; exit 1; }
wait_window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1 || true; }

# Escape closes the main window ($window); the editor must end, and end well.
close_editor() {
    xdotool windowfocus --sync "$window"
    xdotool key Escape
    for _ in $(seq 100); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$editor_pid" 2>/dev/null; then fail "the editor did not close"; fi
    wait "$editor_pid" || fail "the editor exited with an error"
    editor_pid=
}

# Ctrl+S, and the save dialog gets $1 as the file's name; waits until the file is there.
save_as() {
    xdotool key ctrl+s
    local dialog
    dialog=$(wait_window "^Write Vantor4-16 Download File\$")
    [ -n "$dialog" ] || fail "the save dialog did not appear"
    xdotool windowfocus --sync "$dialog"
    sleep 0.3
    xdotool key ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key Return
    for _ in $(seq 100); do [ -f "$1" ] && break; sleep 0.1; done
    [ -f "$1" ] || fail "nothing was saved"
}
