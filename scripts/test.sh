#!/usr/bin/env bash
# Builds everything twice (plain, and with ASan+UBSan) and runs every test:
# first the tests that need no display (offscreen), then those of the real
# host on a real X server (label x11) under xvfb-run. No phone is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

run_tests() {
    local dir=$1
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j"$jobs" -LE x11
    env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
        ctest --test-dir "$dir" --output-on-failure -L x11
}

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUITE_WERROR=ON
cmake --build build/release -j"$jobs"
run_tests build/release

cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DSUITE_SANITIZE=ON -DSUITE_WERROR=ON
cmake --build build/asan -j"$jobs"
# Leak checking stays off: the desktop libraries under Qt keep caches until exit.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_tests build/asan
