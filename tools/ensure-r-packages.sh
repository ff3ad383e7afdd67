#!/bin/sh
# Makes sure the Debian packages of the R package's targets are installed:
# R with its build tools, Rcpp, testthat, and vegan (the tests compare with
# it), all without recommends. As root it installs what is missing;
# otherwise it names the command to run and fails.
missing=""
need() {
    [ -e "$1" ] || missing="$missing $2"
}
need /usr/share/doc/r-base-dev/copyright r-base-dev
need /usr/lib/R/site-library/Rcpp/DESCRIPTION r-cran-rcpp
need /usr/lib/R/site-library/testthat/DESCRIPTION r-cran-testthat
need /usr/lib/R/site-library/vegan/DESCRIPTION r-cran-vegan
[ -z "$missing" ] && exit 0

if [ "$(id -u)" = "0" ] && command -v apt-get > /dev/null 2>&1; then
    echo "Installing packages:$missing"
    # Another apt run (an earlier target of the same CI run) may still hold
    # the lock for a moment: wait for it rather than fail.
    apt-get -o DPkg::Lock::Timeout=300 update -qq > /dev/null && \
        DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 install -y -qq \
            --no-install-recommends $missing > /dev/null || exit 1
else
    echo "Packages are missing; run: sudo apt-get install -y --no-install-recommends$missing"
    exit 1
fi
