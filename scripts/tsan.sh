#!/usr/bin/env bash
# Builds the link's tests with ThreadSanitizer in build-tsan and runs them:
# the GUI thread and the notification listener share the link, hidapi and the
# virtual mouse. Any race report fails the run. Prints how long it took.
#   bash scripts/tsan.sh [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
tests=(tst_libhidapi tst_linkobject tst_listener tst_detection tst_faultsweep)
start=$(date +%s)
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DR770_TSAN=ON "$@" >/dev/null
cmake --build build-tsan -j "$(nproc)" --target "${tests[@]}"
built=$(date +%s)
# Qt and GLib are not built with the sanitizer and lock with futexes it
# cannot see: scripts/tsan.supp names, library by library, what is ignored
# inside them and the few accesses Qt's header templates make on its thread
# pool's tasks. Everything compiled from our sources is checked, and so is
# what hidapi allocates and frees.
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan.supp"
pattern=$(IFS='|'; echo "${tests[*]}")
QT_QPA_PLATFORM=offscreen ctest --test-dir build-tsan --output-on-failure --timeout 900 \
    -R "^(${pattern})\$"
end=$(date +%s)
echo "tsan: build $((built - start)) s, tests $((end - built)) s"
