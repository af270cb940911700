#!/usr/bin/env bash
# End to end: the real editor under Xvfb, driven only by X input events (xdotool).
# Opens a 200-line file from the command line, which the editor announces as not kept
# whole; then saves over the same file through the file dialog and refuses the question
# that follows. The file must keep every byte.
# Usage: lossy_file.sh PATH_TO_DOWNLOADEDITOR
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$1"
for i in $(seq 0 199); do printf 'S1 X%X\n' "$i"; done >"$work/input.oad"
cp "$work/input.oad" "$work/original.oad"

# The window's message box: X names it after the program only in _NET_WM_NAME, which
# xdotool's name search does not read, but it is the one window of the program that is
# exactly 500 pixels wide, whatever its texts.
message_box() {
    local id
    for id in $(xdotool search --onlyvisible --classname downloadeditor 2>/dev/null); do
        if xdotool getwindowgeometry "$id" 2>/dev/null | grep -q 'Geometry: 500x'; then
            echo "$id"
            return
        fi
    done
}
wait_message_box() {
    for _ in $(seq 200); do
        local id
        id=$(message_box)
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
}
no_message_box() {
    for _ in $(seq 50); do
        [ -z "$(message_box)" ] && return 0
        sleep 0.1
    done
    return 1
}

cd "$work"
"$work/bin/downloadeditor" "$work/input.oad" >"$work/editor.log" 2>&1 &
editor_pid=$!

step "waiting for the window and the announcement"
window=$(wait_window "^$title\$")
[ -n "$window" ] || { echo "the editor window did not appear"; cat "$work/editor.log"; exit 1; }
box=$(wait_message_box)
[ -n "$box" ] || { echo "no announcement of the lost lines"; exit 1; }
xdotool windowfocus --sync "$box"
xdotool key Return
no_message_box || { echo "the announcement did not close"; exit 1; }

step "Ctrl+S, saving over the same file"
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key ctrl+s
dialog=$(wait_window "^Write Vantor4-16 Download File\$")
[ -n "$dialog" ] || { echo "the save dialog did not appear"; exit 1; }
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 20 "$work/input.oad"
xdotool key Return
# The file dialog's own question, under the dialog's name: the file exists; Y answers Yes.
confirm=
for _ in $(seq 200); do
    confirm=$(xdotool search --onlyvisible --name "^Write Vantor4-16 Download File\$" |
        grep -vx "$dialog" | head -n 1 || true)
    [ -n "$confirm" ] && break
    sleep 0.1
done
[ -n "$confirm" ] || { echo "the file dialog did not ask to replace the file"; exit 1; }
xdotool windowfocus --sync "$confirm"
xdotool key y

step "refusing the question about what a save would drop"
question=$(wait_message_box)
[ -n "$question" ] || { echo "saving over the file did not ask"; exit 1; }
cmp -s "$work/input.oad" "$work/original.oad" || { echo "the file changed before the answer"; exit 1; }
xdotool windowfocus --sync "$question"
xdotool key n
no_message_box || { echo "the question did not close"; exit 1; }

step "closing"
close_editor

if ! cmp "$work/input.oad" "$work/original.oad"; then
    echo "the refused save changed the file"
    exit 1
fi
step "the file kept all 200 lines"
