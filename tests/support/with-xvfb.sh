#!/usr/bin/env bash
# Runs a command on a virtual X server of its own, optionally with a window manager, and exits
# with the command's status. The server reports its display number when it accepts connections
# (-displayfd), so the command never races the server's start-up.
# Usage: with-xvfb.sh [--wm] [--screen WxH] -- COMMAND [ARGS...]
# Exit 77 (skipped) when Xvfb, or openbox with --wm, is not installed.
set -u
wm=0
screen=1366x768
while [ $# -gt 0 ]; do
    case $1 in
    --wm) wm=1 ;;
    --screen) screen=$2; shift ;;
    --) shift; break ;;
    *) echo "with-xvfb.sh: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done
command -v Xvfb >/dev/null 2>&1 || { echo "Xvfb is missing"; exit 77; }
[ "$wm" = 0 ] || command -v openbox >/dev/null 2>&1 || { echo "openbox is missing"; exit 77; }

work=$(mktemp -d)
server=
manager=
cleanup() {
    [ -n "$manager" ] && kill "$manager" 2>/dev/null
    [ -n "$server" ] && kill "$server" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Starts the server, and the window manager with --wm; on failure says why, stops what it
# started and returns 1.
start() {
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    server=$!
    display=
    for _ in $(seq 1 200); do
        display=$(tr -d '[:space:]' <"$work/display")
        [ -n "$display" ] && break
        kill -0 "$server" 2>/dev/null || break
        sleep 0.05
    done
    if [ -z "$display" ]; then
        echo "Xvfb did not start:"; cat "$work/xvfb.log"
        return 1
    fi
    export DISPLAY=":$display"
    [ "$wm" = 1 ] || return 0
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    manager=$!
    # A window manager announces itself on the root window once it manages windows.
    for _ in $(seq 1 200); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        kill -0 "$manager" 2>/dev/null || break
        sleep 0.05
    done
    echo "openbox did not start:"; cat "$work/openbox.log"
    return 1
}

unset QT_QPA_PLATFORM WAYLAND_DISPLAY
# Servers started at the same moment by parallel tests can lose their display to each other;
# a fresh server is tried again.
for attempt in 1 2 3; do
    start && break
    [ -n "$manager" ] && kill "$manager" 2>/dev/null
    [ -n "$server" ] && kill "$server" 2>/dev/null
    wait 2>/dev/null
    manager= server=
    [ "$attempt" = 3 ] && exit 1
    echo "trying a fresh server"
done

"$@"
status=$?
exit "$status"
