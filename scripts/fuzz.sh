#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan+UBSan, build/fuzz) and runs
# each on its corpus for a bounded time (FUZZ_SECONDS, 60 by default), all at
# once. What fails the run:
#   - a crash, an AddressSanitizer or UndefinedBehaviorSanitizer report;
#   - an input that takes over 10 s, or a run that needs over 2 GB;
#   - a leak of memory, in the targets that load no Qt (cmdline: the
#     interpreter's parser). number, propertybag and design run without leak
#     checking: the desktop libraries under Qt keep caches until exit.
# The input that did it is kept as build/fuzz/findings/<target>/crash-*.
# New inputs that widen coverage go to build/fuzz/corpus/<target>; the seeds
# under tests/fuzz/corpus/ are only read.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
targets=(number propertybag design cmdline)

cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DSUITE_FUZZ=ON -DSUITE_TESTS=OFF
cmake --build build/fuzz -j"$(nproc)" --target fuzzers

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
leakfree=" cmdline "
export QT_QPA_PLATFORM=offscreen
pids=()
for t in "${targets[@]}"; do
    mkdir -p "build/fuzz/corpus/$t" "build/fuzz/findings/$t"
    leaks=0
    [[ $leakfree == *" $t "* ]] && leaks=1
    ASAN_OPTIONS=detect_leaks=$leaks:abort_on_error=1 \
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
