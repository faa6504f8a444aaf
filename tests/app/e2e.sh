#!/bin/sh
# Starts the real program under a virtual X server on a generated directory, waits for its
# window, opens the find-family dialog and its help with F1, closes both, presses Ctrl+X and
# expects a clean exit. Exit 77 (skipped) only without Xvfb.
# Usage: e2e.sh ROSTELLA ROSTELLA_BATCH
set -u
rostella=$1
batch=$2
here=$(cd "$(dirname "$0")" && pwd)
for tool in xdotool timeout; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is missing"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data="$work/data"
mkdir -p "$data"
QT_QPA_PLATFORM=offscreen "$batch" sample --out "$data" --families 12 >"$work/sample.log" 2>&1 || {
    echo "rostella-batch sample failed:"; cat "$work/sample.log"; exit 1; }
ls "$data" | grep -qi '^RostFamilies\.adt$' || { echo "no families table generated"; exit 1; }

cat >"$work/run.sh" <<'INNER'
#!/bin/sh
# Runs inside the virtual display: the program, then the keystrokes, then its exit status.
set -u
cd "$1" || exit 1
"$2" >"$3/rostella.log" 2>&1 &
pid=$!
win=
for _ in $(seq 1 100); do
    win=$(xdotool search --onlyvisible --name 'Rostella' 2>/dev/null | head -n 1)
    [ -n "$win" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
if [ -z "$win" ]; then
    echo "the window did not appear"
    kill "$pid" 2>/dev/null
    exit 1
fi
sleep 1
# The error display is titled with the application's name alone: nothing may have failed.
if xdotool search --onlyvisible --name '^Rostella 2006\.3$' >/dev/null 2>&1; then
    echo "rostella showed an error at start-up"
    kill "$pid" 2>/dev/null
    exit 1
fi
fail() {
    echo "$1"
    kill "$pid" 2>/dev/null
    exit 1
}
# The first visible window whose title matches, waited for up to 20 s.
shown() {
    for _ in $(seq 1 100); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$found" ] && { echo "$found"; return 0; }
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.2
    done
    return 1
}
# Waits up to 20 s until no visible window's title matches.
gone() {
    for _ in $(seq 1 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    return 1
}
activate() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
}
# Find family (its button has the focus when the window opens), F1 there: the help window shows
# the find-family topic and, although the dialog is modal, takes the Escape that closes it.
activate "$win"
xdotool key --clearmodifiers space
find=$(shown '^Find Family$') || fail "the find-family dialog did not open"
activate "$find"
xdotool key --clearmodifiers F1
help=$(shown '^Rostella Help - Finding a family$') || fail "F1 did not show the find-family help"
activate "$help"
xdotool key --clearmodifiers Escape
gone '^Rostella Help' || fail "the help window did not close with Escape"
xdotool search --onlyvisible --name '^Find Family$' >/dev/null 2>&1 ||
    fail "the Escape meant for the help window closed the find-family dialog"
activate "$find"
xdotool key --clearmodifiers Escape
gone '^Find Family$' || fail "the find-family dialog did not close with Escape"

activate "$win"
xdotool key --clearmodifiers ctrl+x
status=124
for _ in $(seq 1 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        status=$?
        break
    fi
    sleep 0.2
done
if [ "$status" = 124 ]; then
    echo "rostella did not exit after Ctrl+X"
    kill "$pid" 2>/dev/null
fi
exit "$status"
INNER
chmod +x "$work/run.sh"

timeout 90 "$here/../support/with-xvfb.sh" --wm -- "$work/run.sh" "$data" "$rostella" "$work"
status=$?
[ "$status" = 77 ] && exit 77
if [ "$status" != 0 ]; then
    echo "end-to-end run failed with status $status; program output:"
    cat "$work/rostella.log" 2>/dev/null
    exit 1
fi
echo "rostella started, showed its window and exited cleanly"
