#!/usr/bin/env bash
# End to end: the real editor under Xvfb, driven only by X input events (xdotool).
# Opens a file from the command line, edits a field, moves on with Down, saves through the
# file dialog with Ctrl+S, closes, and compares the saved bytes.
# Usage: edit_and_save.sh PATH_TO_DOWNLOADEDITOR
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1"
printf 'S1 X3E8 Y7D0 Z0 W0\r\nS2 Q10\r\nN1000\r\n' >"$work/input.oad"

cd "$work"
"$work/bin/downloadeditor" "$work/input.oad" >"$work/editor.log" 2>&1 &
editor_pid=$!

step "waiting for the window"
window=$(wait_window "^$title\$")
[ -n "$window" ] || { echo "the editor window did not appear"; cat "$work/editor.log"; exit 1; }
xdotool windowfocus --sync "$window"
sleep 0.5

step "typing 2000 into the integer view of X"
# After an open the keyboard focus is in the first panel's integer view. Keys, unlike
# pixel positions, do not depend on the fonts installed.
xdotool key ctrl+a
xdotool type --delay 50 2000
sleep 0.2

step "Down commits the line"
xdotool key Down
sleep 0.3

step "Ctrl+S opens the save dialog"
save_as "$work/output.oad"

step "closing"
close_editor

expected=$(printf 'S1 X7D0 Y7D0 Z0 W0\r\nS2 Q10\r\nN1000\r\n' | od -An -tx1)
actual=$(od -An -tx1 "$work/output.oad")
if [ "$expected" != "$actual" ]; then
    echo "saved bytes differ"
    echo "expected:"; printf 'S1 X7D0 Y7D0 Z0 W0\r\nS2 Q10\r\nN1000\r\n' | od -c
    echo "actual:"; od -c "$work/output.oad"
    exit 1
fi
grep -q "Last_File" "$work/bin/settings.ini" || { echo "settings were not stored on close"; exit 1; }
step "saved bytes match"
