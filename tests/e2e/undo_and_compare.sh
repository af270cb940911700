#!/usr/bin/env bash
# End to end: the real editor under Xvfb, driven only by X input events (xdotool).
# Undo and redo: a committed edit, undone, redone (the close then asks), undone again (the
# close asks nothing). Comparison: started from the command line, the reference's values
# taken over into the first line, saved, and the bytes compared; a reference that cannot be
# read is told.
# Usage: undo_and_compare.sh PATH_TO_DOWNLOADEDITOR
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1"
original='S1 X3E8 Y7D0 Z0 W0\r\nS2 Q10\r\nN1000\r\n'
printf "$original" >"$work/input.oad"

# The windows of the editor on show: its main window, and a message box when one is open.
windows_on_show() { xdotool search --onlyvisible --pid "$editor_pid" 2>/dev/null | wc -l; }

start_editor() {
    cd "$work"
    "$work/bin/downloadeditor" "$@" >"$work/editor.log" 2>&1 &
    editor_pid=$!
    window=$(wait_window "^$title\$")
    [ -n "$window" ] || fail "the editor window did not appear"
    xdotool windowfocus --sync "$window"
    sleep 0.5
}

wait_exit() {
    for _ in $(seq 50); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$editor_pid" 2>/dev/null && fail "the editor did not close: $1"
    wait "$editor_pid" || fail "the editor exited with an error"
    editor_pid=
}

step "undo and redo"
start_editor "$work/input.oad"
# After an open the keyboard focus is in the first panel's integer view.
xdotool key ctrl+a
xdotool type --delay 50 2000
xdotool key Down
sleep 0.3
# The integer view of the next line has nothing of its own to undo: the window undoes.
xdotool key ctrl+z
sleep 0.2
xdotool key ctrl+shift+z
sleep 0.2
step "redone, so Escape asks"
xdotool key Escape
for _ in $(seq 50); do [ "$(windows_on_show)" -ge 2 ] && break; sleep 0.1; done
[ "$(windows_on_show)" -ge 2 ] || fail "no question after redo"
xdotool key Escape # Cancel
sleep 0.3
[ "$(windows_on_show)" -eq 1 ] || fail "the question did not go"
xdotool windowfocus --sync "$window"
step "undone, so Escape closes without a question"
xdotool key ctrl+z
sleep 0.2
xdotool key Escape
wait_exit "a question after undoing back to the loaded file?"
[ "$(od -An -tx1 "$work/input.oad")" = "$(printf "$original" | od -An -tx1)" ] ||
    fail "the input file changed"
step "comparison from the command line"
printf 'S1 X3E8 Y1 Z0 W0\r\nS2 Q20\r\nN1000\r\n' >"$work/reference.oad"
start_editor --compare "$work/reference.oad" "$work/input.oad"
# Line 1 is active and differs in Y; line 2 differs too but stays as it is.
xdotool key ctrl+t
sleep 0.3
save_as "$work/output.oad"
xdotool windowfocus --sync "$window"
xdotool key Escape
wait_exit "a question after saving?"
expected='S1 X3E8 Y1 Z0 W0\r\nS2 Q10\r\nN1000\r\n'
if [ "$(od -An -tx1 "$work/output.oad")" != "$(printf "$expected" | od -An -tx1)" ]; then
    echo "saved bytes differ"
    echo "expected:"; printf "$expected" | od -c
    echo "actual:"; od -c "$work/output.oad"
    exit 1
fi
step "saved bytes match"
step "a reference that cannot be read is told"
start_editor --compare "$work/missing.oad" "$work/input.oad"
for _ in $(seq 50); do [ "$(windows_on_show)" -ge 2 ] && break; sleep 0.1; done
[ "$(windows_on_show)" -ge 2 ] || fail "no message about the missing reference"
box=$(xdotool search --onlyvisible --pid "$editor_pid" | grep -vx "$window" | head -n 1)
xdotool windowfocus --sync "$box"
xdotool key Return
for _ in $(seq 50); do [ "$(windows_on_show)" -eq 1 ] && break; sleep 0.1; done
[ "$(windows_on_show)" -eq 1 ] || fail "the message did not go"
close_editor
