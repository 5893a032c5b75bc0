#!/usr/bin/env bash
# The long soak: 10 000 random actions (or as many as given) against the
# demo program built with AddressSanitizer and UndefinedBehaviorSanitizer,
# on a virtual X display. Usage: soak.sh [ACTIONS] [CHIP] [SEED]
# Prints the figures (time, slowest answer, resident memory) as they come
# and the log path; exits non-zero when the program crashed, hung or grew.
set -euo pipefail
cd "$(dirname "$0")/.."
actions=${1:-10000}
chip=${2:-553}
seed=${3:-1}
log=${SOAK_LOG:-build-asan/soak-$chip.log}
bash scripts/build.sh build-asan -DR770_SANITIZE=ON >/dev/null
echo "soak: $actions actions on chip $chip, seed $seed; log in $log"
export QT_QUICK_BACKEND=software
# The frame-pointer unwinder walks through system libraries built without
# frame pointers and records ever-new garbage stacks for allocations; the
# sanitizer keeps each one, so resident memory grows with the run and not
# with the program. The exact unwinder's stacks level off.
# Freed blocks wait in the quarantine before they are used again. Between
# actions the program frees little, so a large quarantine goes on filling for
# thousands of actions and its growth hides the program's; 4 MB fill during
# the first few hundred.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:quarantine_size_mb=4:fast_unwind_on_malloc=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
export R770_SOAK_ACTIONS=$actions R770_SOAK_SEED=$seed
# QtTest ends a test function after 5 minutes; allow a second per action.
export QTEST_FUNCTION_TIMEOUT=${QTEST_FUNCTION_TIMEOUT:-$((actions * 1000 + 300000))}
# The whole output goes to the log; the figures (every 500 actions, then the
# totals) are shown as they come.
set +e
xvfb-run -a -s "-screen 0 1280x1024x24" \
    build-asan/bin/tst_soak "randomActions:$chip" 2>&1 | tee "$log" |
    grep --line-buffered -E "QINFO|PASS|FAIL"
status=${PIPESTATUS[0]}
exit "$status"
