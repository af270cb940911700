# Sourced by the benchmark scripts: start_x starts an Xvfb of their own and exports its
# DISPLAY; the caller sets $work (a directory for the log) and kills $xvfb_pid on exit.
# Other programs on this machine may start and stop X servers of their own meanwhile, so it
# takes a random high number and checks that the server holds it. -noreset: without it the
# server resets whenever its last client leaves, and the next run could not connect while it
# does. -dpi 96: a desktop at 100 %; at Xvfb's own 100 dpi the editor would scale by 1.04.
xvfb_pid=
start_x() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
    local attempt i number
    for attempt in 1 2 3 4 5; do
        number=$((200 + RANDOM % 700))
        [ -e "/tmp/.X11-unix/X$number" ] && continue
        Xvfb ":$number" -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for ((i = 0; i < 100; ++i)); do
            kill -0 "$xvfb_pid" 2>/dev/null || break
            if DISPLAY=":$number" xdotool getdisplaygeometry >/dev/null 2>&1; then
                export DISPLAY=":$number"
                return 0
            fi
            sleep 0.05
        done
        kill "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    done
    echo "Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
}
