#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each for a bounded
# time (seconds, default 60): bash scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DR770_FUZZ=ON
nice ninja -C build-fuzz -j2 fuzz_link
mkdir -p build-fuzz/corpus/link
ASAN_OPTIONS=detect_leaks=0 build-fuzz/bin/fuzz_link -max_total_time="$seconds" -timeout=10 \
    build-fuzz/corpus/link
