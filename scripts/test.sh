#!/usr/bin/env bash
# Builds everything twice (plain, and with ASan+UBSan) and runs every test.
# Tests need no display and no phone.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUITE_WERROR=ON
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs"

cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DSUITE_SANITIZE=ON -DSUITE_WERROR=ON
cmake --build build/asan -j"$jobs"
# Leak checking stays off: the desktop libraries under Qt keep caches until exit.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/asan --output-on-failure -j"$jobs"
