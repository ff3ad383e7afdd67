#!/bin/sh
# Makes sure the Debian packages the test suite needs are installed:
# GoogleTest, expat (parses the pictures the tests check), and faketime
# (runs the program on a fast or fixed clock).
# As root it installs what is missing; otherwise it names the command to run.
missing=""
if [ ! -f /usr/include/gtest/gtest.h ] && [ ! -f /usr/local/include/gtest/gtest.h ]; then
    missing="$missing libgtest-dev"
fi
if [ ! -f /usr/include/expat.h ]; then
    missing="$missing libexpat1-dev"
fi
command -v faketime > /dev/null 2>&1 || missing="$missing faketime"
[ -z "$missing" ] && exit 0

if [ "$(id -u)" = "0" ] && command -v apt-get > /dev/null 2>&1; then
    echo "Installing test packages:$missing"
    apt-get update -qq > /dev/null && \
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing > /dev/null || exit 1
else
    echo "The tests need more packages; run: sudo apt-get install -y$missing"
    exit 1
fi
