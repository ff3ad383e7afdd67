#!/bin/sh
# The Debian packages the test suite needs: GoogleTest, and faketime (runs
# the program on a fast or fixed clock).
exec sh "$(dirname "$0")/ensure-packages.sh" \
    /usr/include/gtest/gtest.h=libgtest-dev \
    faketime=faketime
