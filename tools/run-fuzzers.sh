#!/bin/sh
# Runs every fuzz harness of a fuzz build for a number of seconds, all at
# once, each from the committed seed corpus of its kind plus what it found
# before in the build folder. Prints each harness's last status line
# (executions per second, coverage) and fails if any harness found a fault.
# Usage: run-fuzzers.sh BUILD_DIR SECONDS
set -u
build=$1
seconds=$2
top=$(cd "$(dirname "$0")/.." && pwd)
status=0
pids=""
for harness in matrix_reader nodf_reader table_reader pattern; do
    case $harness in
        pattern) seeds=$top/fuzz/corpus/pattern; maxlen=600 ;;
        table_reader) seeds=$top/fuzz/corpus/table; maxlen=8192 ;;
        *) seeds=$top/fuzz/corpus/matrix; maxlen=8192 ;;
    esac
    mkdir -p "$build/corpus/$harness" "$build/findings/$harness"
    "$build/fuzz/${harness}_fuzzer" -max_total_time="$seconds" -max_len=$maxlen \
        -print_final_stats=1 -artifact_prefix="$build/findings/$harness/" \
        "$build/corpus/$harness" "$seeds" > "$build/$harness.log" 2>&1 &
    pids="$pids $!"
done
for pid in $pids; do
    wait "$pid" || status=1
done
for harness in matrix_reader nodf_reader table_reader pattern; do
    echo "$harness: $(grep -E '^#[0-9]+' "$build/$harness.log" | tail -n 1)"
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$build/$harness.log" | sed 's/^/    /'
    if grep -q -E 'ERROR|fuzz: ' "$build/$harness.log"; then
        status=1
        grep -E 'ERROR|fuzz: |SUMMARY' "$build/$harness.log"
        echo "    (the input is in $build/findings/$harness/)"
    fi
done
exit $status
