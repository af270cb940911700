#!/usr/bin/env bash
# A fleet checked in one process against one process per file: oadtool check over FILES
# download files of 128 lines (default 1000), each a copy of the example with its own first
# line. Prints the wall and CPU time of both ways and how many times faster one process is,
# then what check --json and show --json cost per file in one process (goal for show --json:
# a third of a millisecond).
#   oadtool_fleet.sh OADTOOL [FILES] [ROUNDS]
set -euo pipefail
oadtool=${1:?usage: oadtool_fleet.sh OADTOOL [FILES] [ROUNDS]}
# The runs below take place in a scratch directory, where a relative path would name
# nothing and every time would be that of a failed start.
oadtool=$(readlink -f "$oadtool")
"$oadtool" --version >/dev/null
files=${2:-1000}
rounds=${3:-5}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mapfile -t example < <(tr -d '\r' <"$here/../examples/example.oad" | grep -av '^N')
for ((i = 0; i < 127; ++i)); do printf '%s\r\n' "${example[i % ${#example[@]}]}"; done >"$work/base"
printf 'N10000\r\n' >>"$work/base"
for ((i = 1; i <= files; ++i)); do
    sed "1s/4711/$i/" "$work/base" >"$work/m$(printf %05d "$i").oad"
done
cd "$work"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Wall seconds, then user + system seconds, of a command. Its own exit status is ignored:
# check reports findings with status 1 (and time then adds a line before its figures).
measure() {
    /usr/bin/time -o "$work/time" -f '%e %U %S' "$@" >/dev/null 2>&1 || true
    tail -n 1 "$work/time" | awk '{ printf "%s %.3f\n", $1, $2 + $3 }'
}
one_process() { "$oadtool" check m*.oad; }
check_json() { "$oadtool" check --json m*.oad; }
show_json() { "$oadtool" show --json m*.oad; }
per_file() { for f in m*.oad; do "$oadtool" check "$f" || true; done; }
export -f one_process per_file check_json show_json
export oadtool

one_process >/dev/null 2>&1 || true # warm the caches
: >one
for ((r = 0; r < rounds; ++r)); do measure bash -c one_process >>one; done
: >check_json
: >show_json
for ((r = 0; r < rounds; ++r)); do
    measure bash -c check_json >>check_json
    measure bash -c show_json >>show_json
done
# One round only: it takes a minute per thousand files on a small machine.
measure bash -c per_file >each

one_wall=$(cut -d' ' -f1 one | median)
one_cpu=$(cut -d' ' -f2 one | median)
read -r each_wall each_cpu <each
printf '%-24s %10s %10s %14s\n' "$files files" "wall (s)" "CPU (s)" "per file (ms)"
printf '%-24s %10.2f %10.2f %14.3f\n' "one process (median of $rounds)" "$one_wall" "$one_cpu" \
    "$(echo "$one_wall * 1000 / $files" | bc -l)"
printf '%-24s %10.2f %10.2f %14.3f\n' "one process per file" "$each_wall" "$each_cpu" \
    "$(echo "$each_wall * 1000 / $files" | bc -l)"
printf 'one process is %.0fx faster (wall), %.0fx (CPU); goal at least 50x\n' \
    "$(echo "$each_wall / $one_wall" | bc -l)" "$(echo "$each_cpu / $one_cpu" | bc -l)"
for kind in check_json show_json; do
    wall=$(cut -d' ' -f1 "$kind" | median)
    cpu=$(cut -d' ' -f2 "$kind" | median)
    printf '%-24s %10.2f %10.2f %14.3f\n' "${kind/_/ --} (median of $rounds)" "$wall" "$cpu" \
        "$(echo "$wall * 1000 / $files" | bc -l)"
done
