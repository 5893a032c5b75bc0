#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
set -euo pipefail
packages=(
    cmake ninja-build g++ pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools qt6-svg-dev
    qml6-module-qtquick qml6-module-qtquick-window qml6-module-qtqml qml6-module-qtqml-workerscript
    qml6-module-qtqml-models qml6-module-qttest qml6-module-qtquick-layouts qml6-module-qtquick-templates qml6-module-qtquick-controls
    libqt6svg6 libhidapi-dev libudev-dev libx11-dev libxcb1-dev libxi-dev libglib2.0-dev libgl-dev
    xvfb xauth xdotool x11-utils openbox dbus dbus-x11 gsettings-desktop-schemas
    fonts-noto-cjk librsvg2-bin python3 imagemagick mingw-w64
    dpkg-dev desktop-file-utils appstream groff-base gzip
    sway wtype grim qt6-wayland at-spi2-core foot
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
