#!/bin/sh
# Runs R CMD check --no-manual on the R package's source archive, in a
# temporary folder, and fails on any ERROR or WARNING; the NOTEs are shown.
# The package is installed as make r-install installs it, its shared
# library stripped of the debugging information that makes up most of its
# size (strip -S, which keeps the symbols that the check reads).
# The check's tests run the package's testthat suite, whose count ends the
# output as "r-check: N passed, N failed".
# Usage: r-check.sh ARCHIVE   (JOBS: parallel compile jobs, 2 by default)
set -eu
archive=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' HUP INT TERM

cd "$work"
status=0
MAKEFLAGS="-j${JOBS:-2}" R_STRIP_SHARED_LIB="strip -S" R CMD check --no-manual --install-args=--strip "$archive" > check.out 2>&1 || status=$?
log=bravolin.Rcheck/00check.log
if [ "$status" -ne 0 ] || [ ! -f "$log" ] || grep -q "^Status:.*\(ERROR\|WARNING\)" "$log"; then
    cat check.out
    [ -f bravolin.Rcheck/00install.out ] && tail -n 40 bravolin.Rcheck/00install.out
    for output in bravolin.Rcheck/tests/*.Rout.fail; do
        [ -f "$output" ] && tail -n 60 "$output"
    done
    echo "r-check: FAILED"
    exit 1
fi
# The NOTEs, with what they say.
awk '/\.\.\. NOTE$/ {show = 1} /^\* / && !/\.\.\. NOTE$/ {show = 0} show' "$log"
grep "^Status:" "$log"
counts=$(grep -o "\[ FAIL [0-9]* | WARN [0-9]* | SKIP [0-9]* | PASS [0-9]* \]" bravolin.Rcheck/tests/testthat.Rout | tail -n 1)
grep -A2 "Skipped tests" bravolin.Rcheck/tests/testthat.Rout || true
echo "$counts" | awk '{print "r-check: " $12 " passed, " $3 " failed, " $9 " skipped"}'
