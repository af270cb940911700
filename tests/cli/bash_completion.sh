#!/usr/bin/env bash
# The bash completion of oadtool, run as bash-completion runs it: commands, options,
# download files, and the parameter fields of the file that get reads or set edits.
# Usage: bash_completion.sh COMPLETION_SCRIPT DIRECTORY_OF_OADTOOL
# Exits 77 (skipped) when bash-completion is not installed.
set -uo pipefail
script=$1
export PATH="$2:$PATH"
framework=/usr/share/bash-completion/bash_completion
[ -r "$framework" ] || { echo "bash-completion is not installed"; exit 77; }
# shellcheck disable=SC1090
. "$framework"
. "$script"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir sub
touch notes.dat b.txt r.html
printf 'S2 Q1\n' >"sub/my file.oad"
printf '; test rig\r\nS1 X3E8 Y7D0\r\nS40 X1\r\nS6F X0\r\nS1 X1\r\nN1000\r\n' >a.oad

# Outside a real completion there is nothing for compopt to set.
compopt() { :; }

failures=0
# Completes LINE (the cursor at its end) and compares the sorted candidates with EXPECTED.
check() {
    local line=$1 expected=$2
    COMP_LINE=$line
    COMP_POINT=${#line}
    # Bash splits at blanks and makes each of = and : a word of its own, except where they
    # are quoted or escaped; the words keep their quotes and backslashes.
    local word= quote= c i
    COMP_WORDS=()
    for ((i = 0; i < ${#line}; i++)); do
        c=${line:i:1}
        if [[ $c == '\' && $quote != "'" ]]; then
            word+=$c${line:i+1:1}
            ((i++))
        elif [[ -n $quote ]]; then
            word+=$c
            [[ $c == "$quote" ]] && quote=
        elif [[ $c == [\"\'] ]]; then
            word+=$c
            quote=$c
        elif [[ $c == [\ =:] ]]; then
            [[ -n $word ]] && COMP_WORDS+=("$word")
            [[ $c != ' ' ]] && COMP_WORDS+=("$c")
            word=
        else
            word+=$c
        fi
    done
    COMP_WORDS+=("$word")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _oadtool oadtool "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    local actual
    actual=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' ')
    if [ "$actual" = "$expected" ]; then
        echo "ok: '$line'"
    else
        echo "FAIL: '$line': expected '$expected', got '$actual'"
        failures=$((failures + 1))
    fi
}

check "oadtool " "check diff get report set show"
check "oadtool s" "set show"
check "oadtool --json s" "set show"
check "oadtool --resolution 500 d" "diff"
check "oadtool --line 2 g" "get"
check "oadtool --" "--help --hex --json --line --mm --output --quiet --reference --resolution --textconv --version"
check "oadtool show --t" "--textconv"
check "oadtool show --r" "--reference --resolution"
check "oadtool --resolution " ""
check "oadtool get --line=" ""
check "oadtool show " "a.oad b.txt sub"
check "oadtool check a.oad " "a.oad b.txt sub"
check "oadtool diff a.oad " "a.oad b.txt sub"
check "oadtool diff a.oad b.txt " ""
check "oadtool report " "a.oad b.txt sub"
check "oadtool report a.oad " ""
check "oadtool report a.oad --reference " "a.oad b.txt sub"
check "oadtool report --reference a.oad " "a.oad b.txt sub"
check "oadtool report a.oad --reference=" "a.oad b.txt sub"
check "oadtool report a.oad --output " "r.html sub"
check "oadtool set " "a.oad b.txt sub"
# Described parameters only (S40 is not), each once, the number in hexadecimal.
check "oadtool set a.oad " "S1.W= S1.X= S1.Y= S1.Z= S6F.W= S6F.X= S6F.Y= S6F.Z="
check "oadtool set a.oad S6" "S6F.W= S6F.X= S6F.Y= S6F.Z="
check "oadtool --resolution=500 set a.oad S1.X=5 S1.Y" "S1.Y="
check "oadtool set -- a.oad S1.W" "S1.W="
check "oadtool get --mm a.oad S1" "S1.W S1.X S1.Y S1.Z"
check "oadtool get --line 2 a.oad S1.X " "S1.W S1.X S1.Y S1.Z S6F.W S6F.X S6F.Y S6F.Z"
check "oadtool set missing.oad " ""
# A file name with blanks, quoted or escaped as the user types it, or under ~.
check "oadtool show sub/my" "sub/my file.oad"
check "oadtool set sub/my\\ file.oad " "S2.Q="
check "oadtool get \"sub/my file.oad\" S" "S2.Q"
check "oadtool get --line 1 'sub/my file.oad' S2.Q " "S2.Q"
HOME=$work check "oadtool get ~/sub/my\\ file.oad " "S2.Q"

echo "$failures failed"
[ "$failures" -eq 0 ]
