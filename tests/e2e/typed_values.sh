#!/usr/bin/env bash
# End to end: the real editor under Xvfb, driven only by X input events (xdotool).
# Types a decimal comma into a millimetre view and an invalid hexadecimal value into
# another field, commits with Enter, types on into the views as Enter left them, moves on,
# saves, and compares the saved bytes: only the edited fields change, each to its last
# valid value, and the comment that looks like a field stays as it was.
# Usage: typed_values.sh PATH_TO_DOWNLOADEDITOR
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1"
printf 'S1 X3E8 Y7D0 Z0 ; W-Achse\r\nS2 Q10\r\nN1000\r\n' >"$work/input.oad"
expected='S1 X1F4 Y7D01 Z0 ; W-Achse\r\nS2 Q10\r\nN1000\r\n'

cd "$work"
"$work/bin/downloadeditor" "$work/input.oad" >"$work/editor.log" 2>&1 &
editor_pid=$!

step "waiting for the window"
window=$(wait_window "^$title\$")
[ -n "$window" ] || { echo "the editor window did not appear"; cat "$work/editor.log"; exit 1; }
xdotool windowfocus --sync "$window"
sleep 0.5

# After an open the focus is in X's integer view; Tab follows the views of a panel
# (integer, hexadecimal, millimetres) and then the next panel. Keys, unlike pixel
# positions, do not depend on the fonts installed.
step "0,5 mm for X: 500 counts at 1000 counts per mm"
xdotool key Tab Tab ctrl+a
xdotool type --delay 50 '0,5'
sleep 0.2

step "G1 in Y's hexadecimal view is no value: Y keeps 7D0"
xdotool key Tab Tab ctrl+a
xdotool type --delay 50 'G1'
sleep 0.2

step "Enter commits in place; the view shows 7D0 again, and typing goes on from there"
xdotool key Return
sleep 0.3
xdotool type --delay 50 '1'
sleep 0.2

step "Down commits the line"
xdotool key Down
sleep 0.3

step "Ctrl+S opens the save dialog"
save_as "$work/output.oad"

step "closing"
close_editor

if [ "$(printf "$expected" | od -An -tx1)" != "$(od -An -tx1 "$work/output.oad")" ]; then
    echo "saved bytes differ"
    echo "expected:"; printf "$expected" | od -c
    echo "actual:"; od -c "$work/output.oad"
    exit 1
fi
step "saved bytes match"
