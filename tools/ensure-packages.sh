#!/bin/sh
# Makes sure Debian packages are installed. Each argument is NEED=PACKAGE,
# where NEED is a file (a path starting with /) or a command that the
# package provides. As root it installs what is missing; otherwise it names
# the command to run and fails.
missing=""
for pair in "$@"; do
    need=${pair%%=*}
    package=${pair#*=}
    case "$need" in
        /*) [ -e "$need" ] && continue ;;
        *) command -v "$need" > /dev/null 2>&1 && continue ;;
    esac
    missing="$missing $package"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" = "0" ] && command -v apt-get > /dev/null 2>&1; then
    echo "Installing packages:$missing"
    # Another apt run (an earlier target of the same CI run) may still hold
    # the lock for a moment: wait for it rather than fail.
    apt-get -o DPkg::Lock::Timeout=300 update -qq > /dev/null && \
        DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 install -y -qq $missing > /dev/null || exit 1
else
    echo "Packages are missing; run: sudo apt-get install -y$missing"
    exit 1
fi
