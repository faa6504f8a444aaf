#!/bin/sh
# rostella-batch household on a generated directory: the layout of its lines, the blanks the
# name line ends in, and the error for a family number that does not exist.
# Usage: household.sh ROSTELLA_BATCH
set -u
batch=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
"$batch" sample --out "$work" --families 5 >/dev/null 2>&1 || { echo "sample failed"; exit 1; }

"$batch" household --data "$work" --all >"$work/all.txt" 2>"$work/err.txt" || {
    echo "household --all failed"; cat "$work/err.txt"; exit 1; }
[ "$(grep -c '^Family: ' "$work/all.txt")" = 5 ] || { echo "not every family printed"; exit 1; }
first=$(sed -n 's/^Family: //p' "$work/all.txt" | head -n 1)
"$batch" household --data "$work" --family "$first" >"$work/one.txt" 2>&1 || {
    echo "household --family $first failed"; exit 1; }
# The single family is the first block of --all, line for line.
awk 'NR > 1 && /^$/ { exit } { print }' "$work/all.txt" | cmp -s - "$work/one.txt" || {
    echo "--family differs from the first block of --all"; exit 1; }
sed -n '2p' "$work/one.txt" | grep -q '^Name: ' || { echo "no Name line"; exit 1; }
sed -n '3p' "$work/one.txt" | grep -q '^Phone: ' || { echo "no Phone line"; exit 1; }
sed -n '4p' "$work/one.txt" | grep -q '^Address:$' || { echo "no Address line"; exit 1; }
grep -q '^Tab 1: ' "$work/all.txt" || { echo "no member tabs"; exit 1; }
# Every member's name line ends in at least one blank.
if grep '^  Name: ' "$work/all.txt" | grep -q '[^ ]$'; then
    echo "a name line lost its trailing blanks"; exit 1
fi

if "$batch" household --data "$work" --family 32000 >"$work/missing.txt" 2>&1; then
    echo "a missing family was not an error"; exit 1
fi
grep -q 'No family 32000' "$work/missing.txt" || { echo "wrong message for a missing family"; exit 1; }
echo "household output as the main window composes it"
