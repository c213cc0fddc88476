#!/usr/bin/env bash
# Builds the programs and starts one of them (tessadrel unless named).
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-tessadrel}
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$(nproc)" --target tessadrel pellork
cd build/release/bin
exec "./$program"
