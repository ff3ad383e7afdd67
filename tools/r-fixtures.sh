#!/bin/sh
# Writes the R package's test fixtures, r/tests/testthat/fixtures/: the
# example matrices and the result tables the console program writes for
# them with the runs of commands.txt (one run a line, its arguments
# separated by blanks), and in fixtures/metrics/ likewise the tables of a
# run with --metrics on the abundance table islands.csv (a folder of its
# own, since each batch of a mode replaces that mode's tables). The
# package's tests compare its values with these tables; a test of the
# console program's suite reruns each commands.txt and fails when the
# tables have drifted from what the program now writes.
# Usage: r-fixtures.sh PROGRAM
set -eu
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
top=$(cd "$(dirname "$0")/.." && pwd)
fixtures=$top/r/tests/testthat/fixtures
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' HUP INT TERM

# Runs the commands.txt of folder (under fixtures/) on its matrices and
# keeps the tables of the modes given.
# Usage: write_fixtures FOLDER "MATRICES" "MODES"
write_fixtures() {
    folder=$fixtures/$1
    run=$work/$1
    mkdir -p "$run"
    for matrix in $2; do
        cp "$top/examples/$matrix" "$folder/$matrix"
        cp "$top/examples/$matrix" "$run/$matrix"
    done
    while read -r arguments; do
        # shellcheck disable=SC2086 # the arguments are split at blanks on purpose
        (cd "$run" && "$program" $arguments > /dev/null)
    done < "$folder/commands.txt"
    for mode in $3; do
        cp "$run/BRAVOLIN_${mode}_results.csv" "$run/BRAVOLIN_${mode}_null_values.csv" "$folder/"
    done
}

mkdir -p "$fixtures/metrics"
cat > "$fixtures/commands.txt" <<'COMMANDS'
-m T --no-print -n 20 -s 5 --fixed-fixed --results nested.txt random.txt species.txt
-m N --order --no-print -n 20 -s 5 --fixed-fixed --results nested.txt random.txt species.txt
COMMANDS
cat > "$fixtures/metrics/commands.txt" <<'COMMANDS'
-m N --order --no-print -n 20 -s 5 --table --models Er,Ce,Li,Co,curveball,r2dtable,abundance_shuffle --metrics all --results islands.csv
COMMANDS
write_fixtures . "nested.txt random.txt species.txt" "T N"
write_fixtures metrics "islands.csv" "N"
echo "r-fixtures: $(find "$fixtures" -type f | wc -l) files in r/tests/testthat/fixtures"
