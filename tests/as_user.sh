#!/usr/bin/env bash
# Runs test programs as an ordinary user (nobody), each from a copy in a folder of that
# user's, so that the rows that depend on who runs them (file permissions bind a user, not
# root) are run both ways: the suite runs them as whoever starts it, root in CI.
# Usage: as_user.sh PROGRAM...
# Exits 77 (skipped) when not started as root: only root can become another user.
set -uo pipefail
[ "$(id -u)" -eq 0 ] || { echo "not root: cannot run the tests as another user"; exit 77; }
user=nobody
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
status=0
for program in "$@"; do
    name=$(basename "$program")
    home="$work/$name"
    mkdir -p "$home/runtime"
    cp "$program" "$home/"
    chown -R "$user" "$home"
    chmod 700 "$home/runtime"
    echo "== $name as $user"
    if ! (cd "$home" && runuser -u "$user" -- env HOME="$home" TMPDIR="$home" \
        XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen "./$name" -silent); then
        echo "$name FAILED as $user"
        status=1
    fi
done
exit "$status"
