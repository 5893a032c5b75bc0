#!/usr/bin/env bash
# Starts the real program on the X display and checks the start-up screen:
# the start picture with "LOADING ......" first, clicks and drags during that
# lock do nothing, and about one second later the full screen is there.
# Usage: startup_screen.sh BIN_DIR SHOT_DIR   (exit 77 = skipped)
set -euo pipefail

bin_dir=$1
shot_dir=$2

if [ -z "${DISPLAY:-}" ]; then
    echo "SKIP: no X display; run under xvfb-run"
    exit 77
fi
for tool in xdotool import convert; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is missing (scripts/deps.sh installs it)"
        exit 77
    fi
done

# A private copy: the single-instance key follows the executable's path.
work=$(mktemp -d)
pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
cp "$bin_dir/R770" "$work/"
cp -r "$bin_dir/modules" "$work/"
mkdir -p "$shot_dir"

fail() {
    echo "FAIL: $*"
    echo "--- program output"
    cat "$work/out.log" || true
    exit 1
}

"$work/R770" --virtual-mouse >"$work/out.log" 2>&1 &
pid=$!

# The window of the program: the one 1024 wide and 640 high.
window=""
for _ in $(seq 1 100); do
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 640 ]; then
            window=$w
            break 2
        fi
    done
    sleep 0.05
done
[ -n "$window" ] || fail "no 1024x640 window appeared"
mapped=$(date +%s%N)

geometry() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    echo "$X $Y"
}

# Mean of one channel ("r", "g", "b") or the maximum brightness ("max") of a
# region given in window coordinates.
region() {
    local shot=$1 what=$2 x=$3 y=$4 w=$5 h=$6 fx
    case $what in
    max) fx="%[fx:maxima]" ;;
    *) fx="%[fx:mean.$what]" ;;
    esac
    convert "$shot" -crop "${w}x${h}+$((wx + x))+$((wy + y))" +repage -format "$fx" info:
}

above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

read -r wx wy < <(geometry)

# Clicks and a drag during the lock: nothing may react.
xdotool mousemove $((wx + 808)) $((wy + 620)) click 1
xdotool mousemove $((wx + 300)) $((wy + 400)) mousedown 1
xdotool mousemove $((wx + 360)) $((wy + 440))
xdotool mouseup 1
read -r lx ly < <(geometry)
[ "$lx $ly" = "$wx $wy" ] || fail "the window moved during the lock ($wx,$wy -> $lx,$ly)"

# Still locked: the start picture and the blinking text. The text fades to a
# fifth of its brightness, so a second look at it catches another phase.
import -window root "$shot_dir/startup-locked.png"
locked_ms=$((($(date +%s%N) - mapped) / 1000000))
text_box="80x16+$((wx + 472))+$((wy + 312))"
second=$(import -window root -crop "$text_box" png:- | convert - -format "%[fx:maxima]" info:)

# The lock lasts one second: watch the Save button's place until it turns blue.
ready_ms=""
for _ in $(seq 1 60); do
    blue=$(import -window root -crop "56x16+$((wx + 940))+$((wy + 612))" png:- |
        convert - -format "%[fx:mean.b]" info:)
    if above "$blue" 0.35; then
        ready_ms=$((($(date +%s%N) - mapped) / 1000000))
        break
    fi
    sleep 0.05
done
[ -n "$ready_ms" ] || fail "the full screen did not appear"
echo "locked shot at ${locked_ms} ms, full screen at ${ready_ms} ms after the window appeared"
[ "$ready_ms" -ge 500 ] || fail "the lock ended after only ${ready_ms} ms"
[ "$ready_ms" -le 4000 ] || fail "the lock lasted ${ready_ms} ms"
sleep 0.3
import -window root "$shot_dir/startup-ready.png"

locked="$shot_dir/startup-locked.png"
ready="$shot_dir/startup-ready.png"

# "LOADING ......" sits in the middle of the start picture, whose own pixels
# there stay below 0.26.
text=$(region "$locked" max 472 312 80 16)
above "$second" "$text" && text=$second
above "$text" 0.3 || fail "no busy text in the middle during the lock (brightest $text)"
# The bottom bar (Config, Reset, Save in blue) is not shown yet ...
save_b=$(region "$locked" b 940 612 56 16)
above 0.2 "$save_b" || fail "the bottom bar shows during the lock (blue $save_b)"
# ... and is there afterwards, blue, with no dim overlay over the window.
save_b=$(region "$ready" b 940 612 56 16)
save_r=$(region "$ready" r 940 612 56 16)
above "$save_b" 0.35 || fail "no Save button after the lock (blue $save_b)"
above 0.2 "$save_r" || fail "Save is not blue after the lock (red $save_r)"
# The title bar and the left column replace the start picture.
title_locked=$(region "$locked" max 0 0 1024 44)
title_ready=$(region "$ready" max 0 0 1024 44)
above "$title_ready" "$title_locked" || fail "no title bar after the lock"
panel=$(region "$ready" max 30 90 200 30)
above "$panel" 0.6 || fail "no key list title after the lock (brightest $panel)"

# Once unlocked, the same drag moves the window: the lock was what stopped it.
xdotool mousemove $((wx + 300)) $((wy + 590)) mousedown 1
xdotool mousemove $((wx + 340)) $((wy + 620))
xdotool mouseup 1
sleep 0.2
read -r nx ny < <(geometry)
[ "$nx $ny" != "$wx $wy" ] || fail "the window does not follow a drag after the lock"

echo "PASS: start picture with busy text, locked input, full screen after the lock"
