#!/usr/bin/env bash
# Builds everything twice (plain, and with ASan+UBSan) and runs every test:
# first the tests that need no display (offscreen), then those of the real
# host on a real X server (label x11) under xvfb-run. No phone is needed.
#
# A test skips (exit 77, or a GoogleTest skip) when something it needs is
# missing. With CI=true a skipped test fails the run: CI has everything, so a
# skip there means a test that silently stopped testing.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The two picture tests draw for a person to look at; here they draw into the
# scratch folder, so that they run like every other test.
export CONTROL_LOOKS_PNG=$scratch/control-looks.png SELECTION_PNG=$scratch/selection.png

# Runs one ctest stage (the command given), keeping its output to look for skips.
stage() {
    local log=$scratch/ctest.log
    "$@" 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]}
    ((status == 0)) || return "$status"
    if [[ ${CI:-} == true ]] && grep -q "(Skipped)" "$log"; then
        echo "CI: a skipped test is a failure here:" >&2
        grep "(Skipped)" "$log" >&2
        return 1
    fi
}

run_tests() {
    local dir=$1
    stage env QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j"$jobs" -LE x11
    stage env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
        ctest --test-dir "$dir" --output-on-failure -L x11
}

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUITE_WERROR=ON
cmake --build build/release -j"$jobs"
run_tests build/release

cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DSUITE_SANITIZE=ON -DSUITE_WERROR=ON
cmake --build build/asan -j"$jobs"
# Leak checking is off for everything that loads Qt: the desktop libraries
# under it keep caches until exit. The interpreter has no such caches: the
# tests that start it turn leak checking back on for it (tests/cmd/harness).
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_tests build/asan
