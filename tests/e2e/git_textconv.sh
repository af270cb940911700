#!/usr/bin/env bash
# git shows download files by meaning: the two-line recipe of the README, run in a scratch
# repository. A changed field appears with its help text, and the temporary names that git
# gives oadtool never appear. The same diff with plain "oadtool show" as the converter must
# show such a name, or the check below would prove nothing.
# Usage: git_textconv.sh OADTOOL EXAMPLES_DIRECTORY
set -euo pipefail
oadtool=$1
examples=$2
command -v git >/dev/null || { echo "git is not installed"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work GIT_CONFIG_NOSYSTEM=1 TMPDIR=$work/tmp LC_ALL=C.UTF-8
export PATH="$(dirname "$oadtool"):$PATH"
mkdir "$TMPDIR"
git init -q "$work/fleet"
cd "$work/fleet"
git config user.name "Technician"
git config user.email "technician@example.com"
cp "$examples/example.oad" machine-4711.oad

# The recipe.
echo '*.oad diff=oad' >.gitattributes
git config diff.oad.textconv "oadtool show --textconv"

git add .gitattributes machine-4711.oad
git commit -qm "Machine 4711 as delivered"
# The Y axis positive software limit from 395 mm to 400 mm.
sed -i 's/^S11 X5ACA30 Y3C45B0/S11 X5ACA30 Y3D0900/' machine-4711.oad

fail() {
    echo "FAIL: $*"
    echo "--- git diff:"
    cat "$work/diff"
    exit 1
}

# The text lines of a diff: everything but the headers, which name the file.
body() { grep -v -e '^diff --git ' -e '^index ' -e '^--- ' -e '^+++ ' "$work/diff"; }

git diff >"$work/diff"
grep -qxF -- '-        Y  3950000  hex 3C45B0  mm 395.0000  Y axis positive software limit' \
    "$work/diff" || fail "the old value of S11.Y with its help text is missing"
grep -qxF -- '+        Y  4000000  hex 3D0900  mm 400.0000  Y axis positive software limit' \
    "$work/diff" || fail "the new value of S11.Y with its help text is missing"
grep -qxF -- '-  13  parameter 17: S11 X5ACA30 Y3C45B0 Z1DC130 W0' "$work/diff" ||
    fail "the changed line is missing"
if body | grep -q -e machine-4711 -e "$TMPDIR" -e '/tmp'; then
    fail "a file name shows in the diff"
fi
[ "$(body | grep -c '^[-+]')" = 4 ] || fail "more than the changed line and field differ"

git commit -qam "Y axis positive software limit 400 mm"
git log -p -1 >"$work/diff"
grep -qF '+        Y  4000000  hex 3D0900  mm 400.0000  Y axis positive software limit' \
    "$work/diff" || fail "git log -p does not show the field by meaning"

# The control: without --textconv the temporary name shows up in every diff.
git config diff.oad.textconv "oadtool show"
git log -p -1 >"$work/diff"
body | grep -q '^-.*machine-4711\.oad: 30 lines' ||
    fail "plain show prints no file name: the check above cannot tell"
echo "git diff shows download files by meaning"
