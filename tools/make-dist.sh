#!/bin/sh
# Packs the release archives into dist/:
#   bravolin-VERSION-linux-x86_64.tar.gz   the program, README.md, LICENSE, docs/, examples/
#   bravolin-VERSION-windows-x86_64.zip    bravolin.exe, README.txt, LICENSE.txt, docs/,
#                                          examples/ (text files with CR LF line ends)
#   bravolin-VERSION-web.zip               index.html (the page in the browser), LICENSE.txt
# docs/ is the user guide that the README links to; examples/ holds the
# example matrices and, in examples/library, the example C++ program of the
# analysis library.
# Usage: make-dist.sh VERSION LINUX_PROGRAM WINDOWS_PROGRAM WEB_PAGE
set -eu
version=$1
top=$(cd "$(dirname "$0")/.." && pwd)
linux=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
windows=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
web=$(cd "$(dirname "$4")" && pwd)/$(basename "$4")
# An archive without the guide would send its readers to pages it lacks.
if [ ! -d "$top/docs" ]; then
    echo "make-dist: $top/docs is missing: the archives must carry the user guide" >&2
    exit 1
fi
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$top/dist"

name=bravolin-$version-linux-x86_64
mkdir -p "$stage/$name"
cp "$linux" "$top/README.md" "$top/LICENSE" "$stage/$name/"
cp -R "$top/docs" "$top/examples" "$stage/$name/"
(cd "$stage" && tar czf "$top/dist/$name.tar.gz" "$name")

name=bravolin-$version-windows-x86_64
mkdir -p "$stage/$name/examples/library"
cp "$windows" "$stage/$name/"
sed 's/$/\r/' "$top/README.md" > "$stage/$name/README.txt"
sed 's/$/\r/' "$top/LICENSE" > "$stage/$name/LICENSE.txt"
# The guide's pages with CR LF line ends, any other file (a picture) as it is.
(cd "$top" && find docs -type d) | while IFS= read -r folder; do
    mkdir -p "$stage/$name/$folder"
done
(cd "$top" && find docs -type f) | while IFS= read -r page; do
    case $page in
        *.md | *.txt) sed 's/$/\r/' "$top/$page" > "$stage/$name/$page" ;;
        *) cp "$top/$page" "$stage/$name/$page" ;;
    esac
done
for example in "$top"/examples/* "$top"/examples/library/*; do
    [ -f "$example" ] || continue
    sed 's/$/\r/' "$example" > "$stage/$name/examples/${example#"$top/examples/"}"
done
rm -f "$top/dist/$name.zip"
(cd "$stage" && cmake -E tar cf "$top/dist/$name.zip" --format=zip "$name")

name=bravolin-$version-web
mkdir -p "$stage/$name"
cp "$web" "$stage/$name/index.html"
sed 's/$/\r/' "$top/LICENSE" > "$stage/$name/LICENSE.txt"
rm -f "$top/dist/$name.zip"
(cd "$stage" && cmake -E tar cf "$top/dist/$name.zip" --format=zip "$name")

ls -l "$top/dist"
