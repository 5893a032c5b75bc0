#!/usr/bin/env bash
# Compiles the Windows-only code with MinGW-w64 (x86_64-w64-mingw32), so that
# it keeps building while development happens on Linux: the Qt-free Win32
# sources are compiled with warnings as errors and linked into a small
# program against user32, and the resource file (icon and manifest) is
# compiled with windres. The Windows code that needs Qt is checked for syntax
# against this machine's Qt headers (the Windows Qt libraries are not here).
set -euo pipefail
cd "$(dirname "$0")/.."

# The POSIX thread model: std::mutex and std::thread, as MSVC and MSYS2's
# MinGW have them (Debian's default MinGW lacks them).
cxx=${MINGW_CXX:-x86_64-w64-mingw32-g++-posix}
windres=${MINGW_WINDRES:-x86_64-w64-mingw32-windres}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

flags=(-std=c++20 -Wall -Wextra -Wpedantic -Werror -Isrc -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN)
sources=(
    src/platform/windows/Win32InputEventSource.cpp
    src/platform/windows/Win32PointerSettings.cpp
    src/platform/windows/Win32CopyData.cpp
    tests/windows/LinkCheck.cpp
)
for source in "${sources[@]}"; do
    echo "   $source"
    "$cxx" "${flags[@]}" -c "$source" -o "$out/$(basename "$source" .cpp).o"
done
"$cxx" -static "$out"/*.o -o "$out/linkcheck.exe" -luser32

# Windows branches of Qt code: syntax only.
qt=$(pkg-config --variable=includedir Qt6Core)
qtflags=(-fsyntax-only)
for module in "" QtCore QtGui QtWidgets QtQuick QtQuickWidgets QtQml QtConcurrent QtNetwork; do
    qtflags+=(-isystem "$qt/$module")
done
for source in src/platform/windows/CopyDataFilter.cpp src/platform/windows/DesktopNotifications.cpp \
    src/platform/windows/DeviceChangeMonitor.cpp src/device/LinkDefaults.cpp \
    src/shell/Widget.cpp src/shell/QuitSignals.cpp src/shell/SingleInstance.cpp; do
    echo "   $source (syntax)"
    "$cxx" "${flags[@]}" "${qtflags[@]}" "$source"
done

# The icon may not be rendered yet on a fresh checkout: a 1x1 stand-in then.
icon=modules/img/logo.ico
if [ ! -f "$icon" ]; then
    icon="$out/stand-in.ico"
    printf '\x00\x00\x01\x00\x01\x00\x01\x01\x00\x00\x01\x00\x20\x00\x30\x00\x00\x00\x16\x00\x00\x00'\
'\x28\x00\x00\x00\x01\x00\x00\x00\x02\x00\x00\x00\x01\x00\x20\x00\x00\x00\x00\x00\x08\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$icon"
fi
sed -e "s|@R770_ICON_FILE@|$(realpath "$icon")|" -e "s|@R770_MANIFEST_FILE@|$(realpath app/R770.manifest)|" \
    app/R770.rc.in >"$out/R770.rc"
echo "   app/R770.rc.in"
"$windres" "$out/R770.rc" -O coff -o "$out/R770.res"
echo "Windows code compiles with $cxx"
