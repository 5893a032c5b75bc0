#!/usr/bin/env bash
# The long soak: 10 000 random actions (or as many as given) against the demo
# program on a virtual X display, twice: built with AddressSanitizer and
# UndefinedBehaviorSanitizer (memory errors, undefined behaviour), and built
# without them, where resident memory is the program's own and is held to
# the 5 % bound. Usage: soak.sh [ACTIONS] [CHIP] [SEED]
# SOAK_BUILDS="asan plain" (the default) picks the runs; each prints its
# figures (time, slowest answer, resident memory) as they come and writes its
# log to BUILD/soak-CHIP.log. Exits non-zero when a run crashed, hung,
# reported an error or, without the sanitizers, grew.
set -euo pipefail
cd "$(dirname "$0")/.."
actions=${1:-10000}
chip=${2:-553}
seed=${3:-1}
builds=${SOAK_BUILDS:-asan plain}
export QT_QUICK_BACKEND=software
# The frame-pointer unwinder walks through system libraries built without
# frame pointers and records ever-new garbage stacks for allocations; the
# sanitizer keeps each one, so resident memory grows with the run and not
# with the program. The exact unwinder's stacks level off.
# Freed blocks wait in the quarantine before they are used again; 4 MB keeps
# the sanitizer's heap near its working size.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:quarantine_size_mb=4:fast_unwind_on_malloc=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
export R770_SOAK_ACTIONS=$actions R770_SOAK_SEED=$seed
# QtTest ends a test function after 5 minutes; allow a second per action.
export QTEST_FUNCTION_TIMEOUT=${QTEST_FUNCTION_TIMEOUT:-$((actions * 1000 + 300000))}
status=0
for kind in $builds; do
    case $kind in
    asan) dir=build-asan options=(-DR770_SANITIZE=ON) ;;
    plain) dir=build options=() ;;
    *) echo "soak: unknown build '$kind' (asan, plain)" >&2; exit 2 ;;
    esac
    # Only what the soak runs: the program and the test.
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${options[@]}" >/dev/null
    cmake --build "$dir" -j "$(nproc)" --target R770 tst_soak >/dev/null
    log=$dir/soak-$chip.log
    echo "soak ($kind): $actions actions on chip $chip, seed $seed; log in $log"
    # The whole output goes to the log; the figures (every 500 actions, then
    # the totals) are shown as they come.
    set +e
    xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$dir/bin/tst_soak" "randomActions:$chip" 2>&1 | tee "$log" |
        grep --line-buffered -E "QINFO|PASS|FAIL"
    run=${PIPESTATUS[0]}
    set -e
    [ "$run" -eq 0 ] || status=$run
done
exit "$status"
