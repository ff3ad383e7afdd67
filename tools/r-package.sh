#!/bin/sh
# Writes the R package's source archive, dist/bravolin_VERSION.tar.gz: a
# staging copy of r/ with the analysis library and the formats library
# copied into its src/, since R builds a package from its own folder alone.
# R compiles only the top level of src/, so the libraries' sources land
# there named after their path (src/core/nodf/nodf_metric.cpp becomes
# core_nodf_nodf_metric.cpp); their headers keep their paths under
# src/core/, src/formats/ and src/bravolin/, where the sources' "core/...",
# "formats/..." and "bravolin/..." includes find them (-I.). The version,
# VERSION, is the CMake project's (CMakeLists.txt): it is written into
# DESCRIPTION and into bravolin/version.h, as CMake writes that header.
# Usage: r-package.sh
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(bravolin VERSION \([^ )]*\).*/\1/p' "$top/CMakeLists.txt")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' HUP INT TERM

stage=$work/bravolin
cp -R "$top/r" "$stage"
rm -rf "$stage/src/"*.o "$stage/src/"*.so "$stage/src/"*.dll "$stage/src/core" "$stage/src/formats" \
    "$stage/src/bravolin"
rm -f "$stage/src/"core_*.cpp "$stage/src/"formats_*.cpp
sed "s/^Version: .*/Version: $version/" "$top/r/DESCRIPTION" > "$stage/DESCRIPTION"

mkdir -p "$stage/src/bravolin"
cp "$top"/include/bravolin/*.h "$stage/src/bravolin/"
sed "s/@PROJECT_VERSION@/$version/" "$top/include/bravolin/version.h.in" > "$stage/src/bravolin/version.h"
cd "$top/src"
for header in $(find core formats -name '*.h' | sort); do
    mkdir -p "$stage/src/$(dirname "$header")"
    cp "$header" "$stage/src/$header"
done
for source in $(find core formats -name '*.cpp' | sort); do
    flat=$(echo "$source" | tr / _)
    if [ -e "$stage/src/$flat" ]; then
        echo "r-package: two sources of the libraries flatten to src/$flat"
        exit 1
    fi
    cp "$source" "$stage/src/$flat"
done

# The glue's exports (RcppExports.cpp and .R), generated from its sources.
Rscript -e "invisible(Rcpp::compileAttributes('$stage'))"

mkdir -p "$top/dist"
cd "$work"
R CMD build --no-manual "$stage" > "$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
cp "bravolin_$version.tar.gz" "$top/dist/"
echo "r-package: dist/bravolin_$version.tar.gz"
