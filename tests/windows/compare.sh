#!/bin/sh
# Runs the same sessions with the Linux program and with the Windows program
# under wine, each in a fresh folder holding tests/windows/inputs/ (an
# accented name, a header line with CR LF line ends, a trailing Ctrl-Z, a
# lost line, one row, one column, an empty file, random matrices), and
# compares every file they write, byte for byte once CR LF is read as LF.
# Fails on any difference. Before that it checks that the comparison itself
# catches a difference of one byte.
# Usage: compare.sh LINUX_PROGRAM WINDOWS_PROGRAM
set -u
linux=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
windows=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${WINEPREFIX:-$work/wineprefix}"

# Whether the files the two folders' sessions wrote (all but the inputs) are
# the same once CR LF is read as LF; names each difference.
same_outputs() {
    result=0
    for output in $( (ls "$1"; ls "$2") | sort -u); do
        [ -e "$here/inputs/$output" ] && continue
        [ "$output" = tresk.debug ] && continue
        if [ ! -e "$1/$output" ] || [ ! -e "$2/$output" ]; then
            echo "  $output: written by one program only"
            result=1
            continue
        fi
        sed 's/\r$//' "$1/$output" > "$work/first.lf"
        sed 's/\r$//' "$2/$output" > "$work/second.lf"
        if ! cmp -s "$work/first.lf" "$work/second.lf"; then
            echo "  $output: differs"
            result=1
        fi
    done
    return $result
}

# session NAME DEBUG ARGUMENTS...: runs both programs, compares.
failures=0
session() {
    name=$1
    debug=$2
    shift 2
    for side in linux windows; do
        rm -rf "$work/$side"
        mkdir -p "$work/$side"
        cp "$here"/inputs/* "$work/$side/"
        [ "$debug" = debug ] && : > "$work/$side/tresk.debug"
    done
    (cd "$work/linux" && "$linux" "$@" > /dev/null 2>&1)
    (cd "$work/windows" && wine "$windows" "$@" > /dev/null 2>&1)
    if same_outputs "$work/linux" "$work/windows"; then
        echo "same files: $name ($(ls "$work/linux" | wc -l) in the folder)"
    else
        echo "DIFFERENT FILES: $name"
        failures=$((failures + 1))
    fi
}

session "mode T, printing, debug marker, null models" debug -m T --print -n 12 -s 7 '*.txt'
session "mode T, no printing, no null models" nodebug -m T --no-print --no-null '*.txt'
session "mode N, ordering and printing, null models" nodebug -m N -o -p -n 12 -s 7 '*.txt'
session "mode N, file order, null models" nodebug -m N --no-order -n 5 -s 11 '*.txt'

# The comparison must catch one byte changed.
printf 'x' >> "$work/windows/SYSTEMP.TXT"
if same_outputs "$work/linux" "$work/windows" > /dev/null; then
    echo "the comparison missed a planted difference"
    failures=$((failures + 1))
else
    echo "a planted difference of one byte is caught"
fi

if [ "$failures" -ne 0 ]; then
    echo "Windows comparison: $failures failures"
    exit 1
fi
echo "Windows comparison: every file the same"
