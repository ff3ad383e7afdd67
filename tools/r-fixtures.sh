#!/bin/sh
# Writes the R package's test fixtures, r/tests/testthat/fixtures/: the
# example matrices and the result tables the console program writes for
# them with the runs of commands.txt (one run a line, its arguments
# separated by blanks). The package's tests compare its values with these
# tables; a test of the console program's suite reruns commands.txt and
# fails when the tables have drifted from what the program now writes.
# Usage: r-fixtures.sh PROGRAM
set -eu
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
top=$(cd "$(dirname "$0")/.." && pwd)
fixtures=$top/r/tests/testthat/fixtures
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' HUP INT TERM

mkdir -p "$fixtures"
cat > "$fixtures/commands.txt" <<'COMMANDS'
-m T --no-print -n 20 -s 5 --fixed-fixed --results nested.txt random.txt species.txt
-m N --order --no-print -n 20 -s 5 --fixed-fixed --results nested.txt random.txt species.txt
COMMANDS
for matrix in nested.txt random.txt species.txt; do
    cp "$top/examples/$matrix" "$fixtures/$matrix"
    cp "$top/examples/$matrix" "$work/$matrix"
done
while read -r arguments; do
    # shellcheck disable=SC2086 # the arguments are split at blanks on purpose
    (cd "$work" && "$program" $arguments > /dev/null)
done < "$fixtures/commands.txt"
for mode in T N; do
    cp "$work/BRAVOLIN_${mode}_results.csv" "$work/BRAVOLIN_${mode}_null_values.csv" "$fixtures/"
done
echo "r-fixtures: $(ls "$fixtures" | wc -l) files in r/tests/testthat/fixtures"
