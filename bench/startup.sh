#!/usr/bin/env bash
# Start-up time and peak memory of the editor on a 128-line file against a bare Qt Widgets
# dialog, both run alternately under their own Xvfb, measured from outside by startup_probe
# (fork to the MapNotify of the first window; peak RSS from wait4). Prints the medians and
# the editor/bare ratios.
#   startup.sh BUILD_DIR [ROUNDS]
set -euo pipefail
build=${1:?usage: startup.sh BUILD_DIR [ROUNDS]}
rounds=${2:-21}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
probe="$build/bench/startup_probe"
bare="$build/bench/bare_dialog"
editor="$build/src/downloadeditor"

work=$(mktemp -d)
. "$here/xvfb.sh"
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A full file: the example's lines repeated up to 127, then the scale resolution line.
mapfile -t example < <(tr -d '\r' <"$here/../examples/example.oad" | grep -av '^N')
for ((i = 0; i < 127; ++i)); do printf '%s\r\n' "${example[i % ${#example[@]}]}"; done >"$work/full.oad"
printf 'N10000\r\n' >>"$work/full.oad"

start_x

# One measured run; should the X server have gone away meanwhile, start another and retry.
probe_run() {
    local attempt
    for attempt in 1 2 3; do
        if env "$@"; then
            return 0
        fi
        kill -0 "$xvfb_pid" 2>/dev/null && return 1
        echo "startup.sh: the X server went away; starting another" >&2
        start_x
    done
    return 1
}
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Each program: a name, its environment, its command line; one warm-up run, then ROUNDS runs.
declare -a names=() envs=() commands=()
add() { names+=("$1"); envs+=("$2"); commands+=("$3"); }
add bare "" "$bare"
add editor "" "$editor $work/full.oad"
# For reference: the bare dialog without the GL integration, and the editor made to load it
# (which it skips by itself unless the user asks for one).
add bare_no_gl "QT_XCB_GL_INTEGRATION=none" "$bare"
add editor_glx "QT_XCB_GL_INTEGRATION=xcb_glx" "$editor $work/full.oad"

for k in "${!names[@]}"; do
    probe_run ${envs[k]} $probe ${commands[k]} >/dev/null # warm the caches
    : >"$work/${names[k]}"
done
for ((r = 0; r < rounds; ++r)); do
    for k in "${!names[@]}"; do
        probe_run ${envs[k]} $probe ${commands[k]} >>"$work/${names[k]}"
    done
done

printf '%-14s %12s %12s\n' program "time (ms)" "peak (MB)"
for k in "${!names[@]}"; do
    t=$(cut -d' ' -f1 "$work/${names[k]}" | median)
    m=$(cut -d' ' -f2 "$work/${names[k]}" | median)
    printf '%-14s %12.1f %12.1f\n' "${names[k]}" "$t" "$(echo "$m / 1024" | bc -l)"
    eval "time_${names[k]}=$t mem_${names[k]}=$m"
done
printf 'editor / bare: time %.2fx, peak memory %.2fx (medians of %d alternating runs)\n' \
    "$(echo "$time_editor / $time_bare" | bc -l)" "$(echo "$mem_editor / $mem_bare" | bc -l)" "$rounds"
