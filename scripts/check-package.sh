#!/usr/bin/env bash
# Makes the Debian package from a built folder (default build-release),
# installs it with apt-get, checks where its files landed, runs the installed
# program once in demo mode from another folder and removes the package again.
#   bash scripts/check-package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$(realpath "${1:-build-release}")
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
fail() {
    echo "check-package: $*" >&2
    exit 1
}

(cd "$dir" && cpack -G DEB >cpack.log 2>&1) || { cat "$dir/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls -t "$dir"/r770config_*.deb | head -n 1)
echo "   $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
echo "   Depends: $depends"
for lib in libc6 libqt6core6 libqt6quick6 libhidapi-hidraw0 qml6-module-qtquick; do
    grep -q "\b$lib\b" <<<"$depends" || fail "$lib missing from Depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "   Recommends: $recommends"
grep -q '\bqt6-wayland\b' <<<"$recommends" || fail "qt6-wayland missing from Recommends"

work=$(mktemp -d)
installed=0
cleanup() {
    if ((installed)); then
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq r770config >/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
installed=1

# Where udev and the desktop look.
rule=/usr/lib/udev/rules.d/70-r770-mouse.rules
desktop=/usr/share/applications/r770config.desktop
metainfo=/usr/share/metainfo/r770config.metainfo.xml
share=/usr/share/r770config/modules
for f in /usr/bin/R770 "$rule" "$desktop" "$metainfo" "$share/setting/apConfig.bin" \
    /usr/share/icons/hicolor/scalable/apps/r770config.svg \
    /usr/share/icons/hicolor/256x256/apps/r770config.png /usr/share/doc/r770config/copyright \
    /usr/share/dbus-1/interfaces/com.zerant.molta.R770.Control.xml; do
    [ -e "$f" ] || fail "$f not installed"
done
# A manual page for the program in /usr/bin, compressed, that man renders without warnings.
man=/usr/share/man/man1/R770.1.gz
[ -e "$man" ] || fail "$man not installed"
gzip -t "$man" || fail "$man is not gzip"
warnings=$(zcat "$man" | groff -man -ww -z 2>&1) || fail "$man does not render"
[ -z "$warnings" ] || fail "$man renders with warnings: $warnings"
zcat "$man" | groff -man -Tascii -P -cbou 2>/dev/null | grep -q -- '--virtual-mouse' || fail "$man lacks the options"
grep -q 'MIT License' /usr/share/doc/r770config/copyright || fail "copyright is not the licence"
grep -qx '  <project_license>MIT</project_license>' "$metainfo" || fail "metainfo names no licence"
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo" >/dev/null || appstreamcli validate --no-net "$metainfo"
grep -qx 'Icon=r770config' "$desktop" || fail "desktop entry names another icon"
grep -qx 'Exec=R770' "$desktop" || fail "desktop entry starts another program"

# Every vendor/product pair of the shipped device table has its uaccess line.
pairs=$(awk -F= '
    /^\[/ { group = substr($0, 2, length($0) - 2); next }
    { gsub(/[ \r"]/, ""); value[group "/" $1] = tolower($2) }
    END { for (i = 0; i < value["common/deviceCount"]; i++) print value[i "/vid"], value[i "/pid"] }
    ' "$share/setting/apConfig.bin" | while read -r vid pid; do printf '%04x:%04x\n' "0x$vid" "0x$pid"; done | sort -u)
[ -n "$pairs" ] || fail "no devices in the shipped table"
for pair in $pairs; do
    line="SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"${pair%:*}\", ATTRS{idProduct}==\"${pair#*:}\", TAG+=\"uaccess\""
    grep -qxF "$line" "$rule" || fail "no rule for $pair"
done
echo "   rule: $(tr '\n' ' ' <<<"$pairs")"

# The installed program, started from another folder: it seeds the user's
# data folder from the installed copy and shows its window.
mkdir -p "$work/elsewhere" "$work/data"
cat >"$work/run.sh" <<'EOF'
set -eu
cd "$WORK/elsewhere"
R770 --virtual-mouse >"$WORK/out.log" 2>&1 &
pid=$!
shown=0
for _ in $(seq 150); do
    if xdotool search --onlyvisible --name 'ZERANT MOLTA MOUSE R770' >/dev/null 2>&1; then
        shown=1
        break
    fi
    sleep 0.2
done
kill "$pid" 2>/dev/null || { echo "the program ended by itself"; exit 1; }
wait "$pid" || true
[ "$shown" = 1 ] || { echo "no window"; exit 1; }
EOF
WORK=$work XDG_DATA_HOME=$work/data HOME=$work QT_QUICK_BACKEND=software \
    xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash "$work/run.sh" ||
    { cat "$work/out.log" >&2; fail "the installed program did not start"; }
(cd "$share" && find . -type f) | while read -r f; do
    [ -f "$work/data/r770config/modules/$f" ] || fail "user data folder lacks $f"
done
[ -d "$work/data/r770config/modules/macro" ] || fail "user data folder lacks macro/"
[ ! -e "$work/elsewhere/modules" ] || fail "the program wrote into the folder it was started from"
dpkg --verify r770config || fail "the program changed its installed files"
echo "   the installed program seeded $work/data/r770config/modules"

DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq r770config >/dev/null
installed=0
[ ! -e /usr/bin/R770 ] && [ ! -e "$rule" ] || fail "files left after removal"
echo "package installs, runs and removes cleanly"
