#!/bin/sh
# Packs the release archives into dist/:
#   bravolin-VERSION-linux-x86_64.tar.gz   the program, README.md, examples/
#   bravolin-VERSION-windows-x86_64.zip    bravolin.exe, README.txt (CR LF), examples/ (CR LF)
# examples/ holds the example matrices and, in examples/library, the example
# C++ program of the analysis library.
# Usage: make-dist.sh VERSION LINUX_PROGRAM WINDOWS_PROGRAM
set -eu
version=$1
top=$(cd "$(dirname "$0")/.." && pwd)
linux=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
windows=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$top/dist"

name=bravolin-$version-linux-x86_64
mkdir -p "$stage/$name"
cp "$linux" "$top/README.md" "$stage/$name/"
cp -R "$top/examples" "$stage/$name/"
(cd "$stage" && tar czf "$top/dist/$name.tar.gz" "$name")

name=bravolin-$version-windows-x86_64
mkdir -p "$stage/$name/examples/library"
cp "$windows" "$stage/$name/"
sed 's/$/\r/' "$top/README.md" > "$stage/$name/README.txt"
for example in "$top"/examples/* "$top"/examples/library/*; do
    [ -f "$example" ] || continue
    sed 's/$/\r/' "$example" > "$stage/$name/examples/${example#"$top/examples/"}"
done
rm -f "$top/dist/$name.zip"
(cd "$stage" && cmake -E tar cf "$top/dist/$name.zip" --format=zip "$name")

ls -l "$top/dist"
