#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan+UBSan, build/fuzz) and runs
# each on its corpus for a bounded time (FUZZ_SECONDS, 60 by default), all at
# once. A crash, a sanitizer report, a hang or a leak of memory fails the run;
# the input that did it is kept as build/fuzz/findings/<target>/crash-*.
# New inputs that widen coverage go to build/fuzz/corpus/<target>; the seeds
# under tests/fuzz/corpus/ are only read.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
targets=(number propertybag design cmdline)

cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DSUITE_FUZZ=ON -DSUITE_TESTS=OFF
cmake --build build/fuzz -j"$(nproc)" --target fuzzers

# Leak checking stays off, as in the sanitizer tests: Qt keeps caches until exit.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
pids=()
for t in "${targets[@]}"; do
    mkdir -p "build/fuzz/corpus/$t" "build/fuzz/findings/$t"
    "build/fuzz/bin/${t}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=8192 -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$t/" \
        "build/fuzz/corpus/$t" "tests/fuzz/corpus/$t" >"build/fuzz/$t.log" 2>&1 &
    pids+=($!)
done
failed=0
for i in "${!targets[@]}"; do
    t=${targets[$i]}
    if wait "${pids[$i]}"; then
        echo "fuzz $t: no finding ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "build/fuzz/$t.log" | grep -o '[0-9]*$') runs)"
    else
        echo "fuzz $t: FINDING, see build/fuzz/$t.log and build/fuzz/findings/$t/"
        tail -n 60 "build/fuzz/$t.log"
        failed=1
    fi
done
exit $failed
