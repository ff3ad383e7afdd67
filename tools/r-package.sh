#!/bin/sh
# Writes the R package's source archive, dist/bravolin_VERSION.tar.gz: a
# staging copy of r/ with the analysis library copied into its src/, since R
# builds a package from its own folder alone. R compiles only the top level
# of src/, so the library's sources land there named after their path
# (src/core/nodf/nodf_metric.cpp becomes core_nodf_nodf_metric.cpp); its
# headers keep their paths under src/core/ and src/bravolin/, where the
# sources' "core/..." and "bravolin/..." includes find them (-I.).
# Usage: r-package.sh VERSION
set -eu
version=$1
top=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' HUP INT TERM

stage=$work/bravolin
cp -R "$top/r" "$stage"
rm -rf "$stage/src/"*.o "$stage/src/"*.so "$stage/src/"*.dll "$stage/src/core" "$stage/src/bravolin"
rm -f "$stage/src/"core_*.cpp

mkdir -p "$stage/src/bravolin"
cp "$top"/include/bravolin/*.h "$stage/src/bravolin/"
cd "$top/src"
for header in $(find core -name '*.h' | sort); do
    mkdir -p "$stage/src/$(dirname "$header")"
    cp "$header" "$stage/src/$header"
done
for source in $(find core -name '*.cpp' | sort); do
    flat=$(echo "$source" | tr / _)
    if [ -e "$stage/src/$flat" ]; then
        echo "r-package: two sources of the analysis library flatten to src/$flat"
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
