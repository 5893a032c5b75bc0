#!/usr/bin/env bash
# Runs a command inside a headless Wayland session: sway with its headless
# backend and software renderer on one 1280x800 output, its own runtime
# folder, home and session bus. sway refuses to run as root, so as root the
# session (and the command) runs as the unprivileged user r770-wayland,
# created here when missing. Every process of the session and every file of
# it are gone when this script ends.
#
# Usage: wayland_session.sh [--shots DIR] COMMAND [ARG...]
#   --shots DIR  the command may leave pictures in $R770_SHOT_DIR; they are
#                copied to DIR at the end.
# The command gets WAYLAND_DISPLAY, SWAYSOCK, XDG_RUNTIME_DIR and
# DBUS_SESSION_BUS_ADDRESS of the session and no X display. Exit code: the
# command's; 77 when sway is not installed (skipped).
set -euo pipefail

user=r770-wayland

# Second stage, inside the session bus as the session's user: sway, then the command.
if [ "${1:-}" = --inside ]; then
    shift
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        sway -c "$R770_SESSION_DIR/sway.conf" >"$R770_SESSION_DIR/sway.log" 2>&1 &
    sway_pid=$!
    for _ in $(seq 1 200); do
        socket=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name 'wayland-*' ! -name '*.lock' -print -quit)
        ipc=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name 'sway-ipc.*.sock' -print -quit)
        [ -n "$socket" ] && [ -n "$ipc" ] && break
        kill -0 "$sway_pid" 2>/dev/null || break
        sleep 0.05
    done
    if [ -z "$socket" ] || [ -z "$ipc" ]; then
        echo "FAIL: sway did not start"
        cat "$R770_SESSION_DIR/sway.log"
        exit 1
    fi
    export WAYLAND_DISPLAY=${socket##*/} SWAYSOCK=$ipc XDG_SESSION_TYPE=wayland
    rc=0
    "$@" || rc=$?
    # sway 1.7 may crash on "swaymsg exit" with the headless backend; it ends
    # cleanly on SIGTERM.
    kill "$sway_pid" 2>/dev/null || true
    wait "$sway_pid" || true
    exit "$rc"
fi

shots=""
if [ "${1:-}" = --shots ]; then
    shots=$2
    shift 2
fi
if [ $# -eq 0 ]; then
    echo "usage: $0 [--shots DIR] COMMAND [ARG...]" >&2
    exit 2
fi
if ! command -v sway >/dev/null; then
    echo "SKIP: sway is not installed (scripts/deps.sh installs it)"
    exit 77
fi

run_as=()
if [ "$(id -u)" -eq 0 ]; then
    # Two sessions starting at once may both try to add the user.
    id -u "$user" >/dev/null 2>&1 ||
        useradd --system --user-group --no-create-home --home-dir /nonexistent \
            --shell /usr/sbin/nologin "$user" 2>/dev/null || id -u "$user" >/dev/null
    run_as=(runuser -u "$user" --)
fi

session=$(mktemp -d "${TMPDIR:-/tmp}/r770-wayland.XXXXXX")
# Ends what the session started and left behind (the accessibility bus is
# started on demand and outlives its session bus): the processes that carry
# this session's runtime folder.
reap() {
    local p
    for p in /proc/[0-9]*; do
        if grep -qzx "XDG_RUNTIME_DIR=$session/run" "$p/environ" 2>/dev/null; then
            kill "${p#/proc/}" 2>/dev/null || true
        fi
    done
}
cleanup() {
    reap
    if [ -n "$shots" ] && [ -d "$session/shots" ]; then
        { mkdir -p "$shots" && cp -r "$session/shots/." "$shots/"; } ||
            echo "cannot keep the pictures in $shots"
    fi
    rm -rf "$session"
}
trap cleanup EXIT

mkdir -p "$session/run" "$session/home" "$session/shots" "$session/tmp"
chmod 0700 "$session/run"
cat >"$session/sway.conf" <<'EOF'
output HEADLESS-1 resolution 1280x800
# Windows keep their own size, as on a stacking desktop.
for_window [app_id=".*"] floating enable
xwayland disable
EOF
if [ ${#run_as[@]} -gt 0 ]; then
    chown -R "$user:$user" "$session"
fi

rc=0
"${run_as[@]}" env -u DISPLAY -u XAUTHORITY -u WAYLAND_DISPLAY -u SWAYSOCK -u I3SOCK \
    -u DBUS_SESSION_BUS_ADDRESS -u XDG_SESSION_TYPE -u XDG_CURRENT_DESKTOP \
    HOME="$session/home" XDG_RUNTIME_DIR="$session/run" XDG_CONFIG_HOME="$session/home/.config" \
    TMPDIR="$session/tmp" R770_SESSION_DIR="$session" R770_SHOT_DIR="$session/shots" \
    dbus-run-session -- bash "$0" --inside "$@" || rc=$?
exit "$rc"
