#!/bin/sh
# The Debian packages the test suite needs: GoogleTest, expat (parses the
# pictures the tests check), faketime (runs the program on a fast or fixed
# clock) and GNU parallel (runs shards of a batch).
exec sh "$(dirname "$0")/ensure-packages.sh" \
    /usr/include/gtest/gtest.h=libgtest-dev \
    /usr/include/expat.h=libexpat1-dev \
    faketime=faketime \
    parallel=parallel
