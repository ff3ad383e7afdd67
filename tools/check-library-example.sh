#!/bin/sh
# Installs the analysis library with cmake --install into a temporary
# prefix, builds examples/library against that installed copy (through
# find_package(bravolin)) and runs it on its example matrix. Fails when a
# step fails or the output lacks the NODF, the temperature or one of the
# four null models.
# Usage: check-library-example.sh   (JOBS: parallel build jobs, 2 by default)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' HUP INT TERM

# step WHAT COMMAND...: runs COMMAND quietly; shows its output when it fails.
step() {
    what=$1
    shift
    if ! "$@" > "$work/log" 2>&1; then
        cat "$work/log"
        echo "library example: FAILED to $what"
        exit 1
    fi
}

# Only the library is built: it is all that the install rules install.
step "configure the project" cmake -S "$top" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DBRAVOLIN_TESTS=OFF
step "build the library" cmake --build "$work/build" --target bravolin_core -j "${JOBS:-2}"
step "install the library" cmake --install "$work/build" --prefix "$work/prefix"

step "configure the example" cmake -S "$top/examples/library" -B "$work/example" \
    -DCMAKE_PREFIX_PATH="$work/prefix"
# The package found must be the one just installed, not another copy.
if ! grep -q "^bravolin_DIR:PATH=$work/prefix/" "$work/example/CMakeCache.txt"; then
    grep "^bravolin_DIR" "$work/example/CMakeCache.txt" || true
    echo "library example: FAILED, the example did not find the installed copy in $work/prefix"
    exit 1
fi
step "build the example" cmake --build "$work/example"
step "run the example" "$work/example/nestedness" "$top/examples/library/islands.txt"
cp "$work/log" "$work/output"
cat "$work/output"

number='[0-9]+\.[0-9][0-9]'
failed=0
expect() {
    if ! grep -Eq "$1" "$work/output"; then
        echo "library example: no line matching: $1"
        failed=1
    fi
}
expect "^NODF: rows $number, columns $number, total $number\$"
expect "^Temperature: $number\$"
for model in r00 r0 c0 curveball; do
    expect "^$model: temperature $number \\(P $number[0-9]\\), NODF $number \\(P $number[0-9]\\)\$"
done
if [ "$failed" -ne 0 ]; then
    echo "library example: FAILED"
    exit 1
fi
echo "library example: passed"
