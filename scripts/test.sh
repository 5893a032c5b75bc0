#!/usr/bin/env bash
# Installs what is needed, builds, checks formatting and QML, and runs every
# test: the normal build under a virtual X server, the Debian package built,
# installed, started and removed again, then the unit tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, with a short soak of the
# program built so, and the link's tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

echo "== clang-format"
git ls-files -- 'src/*.cpp' 'src/*.h' 'app/*.cpp' 'tests/*.cpp' 'tests/*.h' | xargs -r clang-format --dry-run --Werror

echo "== windows code (mingw-w64)"
bash scripts/check-windows.sh

echo "== build"
bash scripts/build.sh build

echo "== qmllint"
cmake --build build --target all_qmllint

echo "== tests"
export QT_QUICK_BACKEND=software
xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- \
    ctest --test-dir build --output-on-failure --timeout 600 -j 2

echo "== package"
bash scripts/build.sh build-release -DCMAKE_BUILD_TYPE=Release -DR770_BUILD_TESTS=OFF
bash scripts/check-package.sh build-release

echo "== sanitizers"
bash scripts/build.sh build-asan -DR770_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir build-asan --output-on-failure --timeout 900 -L unit -j 2

echo "== soak under the sanitizers (short; scripts/soak.sh makes the long run)"
xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- \
    ctest --test-dir build-asan --output-on-failure -L soak

echo "== link and listener under ThreadSanitizer"
bash scripts/tsan.sh
