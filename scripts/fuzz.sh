#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each for a
# bounded time (seconds, default 60) on its committed seeds:
#   bash scripts/fuzz.sh [seconds] [targets...]     (targets: link settings ...)
# FUZZ_RUNS=N stops a target after N inputs instead (within the time bound).
# Leak detection is off unless FUZZ_LEAKS=1: then libFuzzer also reports an
# input after which memory was left unfreed (and runs such inputs twice).
# Each run ends with the figures libFuzzer prints (executions, coverage).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
    targets=(link detection settings profile_import macro_import language gun copydata)
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DR770_FUZZ=ON >/dev/null
nice ninja -C build-fuzz -j2 "${targets[@]/#/fuzz_}"
limit=()
[ -z "${FUZZ_RUNS:-}" ] || limit=(-runs="$FUZZ_RUNS")
for t in "${targets[@]}"; do
    echo "== fuzz_$t"
    mkdir -p "build-fuzz/corpus/$t"
    # New inputs go to the build folder; the committed seeds stay as they are.
    # Absolute paths: a crash is written while the target is in its data folder.
    ASAN_OPTIONS=detect_leaks="${FUZZ_LEAKS:-0}" QT_QPA_PLATFORM=offscreen \
        build-fuzz/bin/fuzz_"$t" \
        -max_total_time="$seconds" "${limit[@]}" -detect_leaks="${FUZZ_LEAKS:-0}" -timeout=10 \
        -print_final_stats=1 \
        -artifact_prefix="$PWD/build-fuzz/fuzz_$t-" "$PWD/build-fuzz/corpus/$t" \
        "$PWD/tests/fuzz/corpus/$t" 2>&1 |
        grep -E '^#[0-9]+ +(INITED|DONE)|^stat::number_of_executed_units|^stat::peak_rss|ERROR|SUMMARY|Test unit written' || true
done
