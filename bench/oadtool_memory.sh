#!/usr/bin/env bash
# Peak memory of oadtool on one long line: a download file that is a single line of 15 MiB
# (Latin-1 letters, runs of blanks, backslashes), against a file of two short lines. Prints
# the peak resident memory of each command, that of the same command on the short file,
# and the peak as a multiple of the input. Needs GNU time (/usr/bin/time).
#   oadtool_memory.sh OADTOOL
set -euo pipefail
oadtool=${1:?usage: oadtool_memory.sh OADTOOL}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

words=$(printf 'Pr\374fstand  a\\bc %.0s' $(seq 1 1024))
{
    printf 'S1 X3E8 Y7D0 ; '
    for ((i = 0; i < 960; ++i)); do printf '%s' "$words"; done
    printf '\n'
} >long.oad
{
    printf 'S1 X3E8 Y7D0 ; x'
    for ((i = 0; i < 960; ++i)); do printf '%s' "$words"; done
    printf '\n'
} >other.oad
printf 'S1 X3E8 Y7D0\nN10000\n' >short.oad

# Peak resident KiB of a command; its exit status is ignored (diff and check report with 1).
peak() {
    /usr/bin/time -o time -f '%M' "$oadtool" "$@" >/dev/null 2>&1 || true
    tail -n 1 time
}

printf '%-34s %12s %12s %10s\n' "command" "peak (KiB)" "short (KiB)" "x input"
while read -r command; do
    read -ra arguments <<<"$command"
    input=0
    for argument in "${arguments[@]}"; do
        [ -f "$argument" ] && input=$((input + $(stat -c %s "$argument")))
    done
    short=("${arguments[@]/#long.oad/short.oad}")
    short=("${short[@]/#other.oad/short.oad}")
    with=$(peak "${arguments[@]}")
    without=$(peak "${short[@]}")
    printf '%-34s %12d %12d %10.2f\n' "$command" "$with" "$without" \
        "$(echo "$with * 1024 / $input" | bc -l)"
done <<'EOF'
show long.oad
show --json long.oad
check long.oad
check --json long.oad
get long.oad S1.Z
diff long.oad short.oad
diff --json long.oad short.oad
diff long.oad other.oad
EOF
