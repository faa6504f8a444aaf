#!/usr/bin/env bash
# What a member waits for, each beside a reference measured in the same run, in fresh processes:
# the start of Rostella to its first family painted against an empty Qt window, the first start
# that imports the archive, the open of a directory by rostella-batch against its bare start,
# an import against unzip of the same archive, and list envelopes and both printed lists of
# 1,000, 5,000 and 32,767 rows and the address labels of the whole directory (time and peak
# memory; glabels-3-batch at 1,000 envelopes when installed).
# Runs alternate between a job and its reference; each figure is the least of the runs.
#
# Usage: bench/run-all.sh [--short] [BUILD_DIR]     (BUILD_DIR: build/release by default)
#   --short: a few hundred rows and one run, so that CI keeps the script working.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
short=0
if [ "${1:-}" = --short ]; then short=1; shift; fi
build=$(realpath "${1:-$here/../build/release}")
batch=$build/tools/rostella-batch/rostella-batch
paint=$build/bench/FirstPaint
for tool in "$batch" "$paint"; do
  [ -x "$tool" ] || { echo "build $tool first"; exit 1; }
done
if [ $short = 1 ]; then full=300; sizes=(300); runs=1; else full=32767; sizes=(1000 5000 32767); runs=5; fi
# The full run compares the envelopes with glabels.
[ $short = 1 ] || bash "$here/../scripts/install-deps.sh" --bench
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Microseconds a command takes; a failing command stops the run.
micros() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>"$work/err" || { echo "failed: $*"; cat "$work/err"; exit 1; }
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}
# Microseconds from the start of FirstPaint to its first paint of a family, as it reports them.
paint_micros() {
  local out
  out=$(ROST_BENCH_T0=$(date +%s%N) "$paint" "$@" 2>"$work/err") || { echo "failed: $paint $*"; cat "$work/err"; exit 1; }
  echo "$out"
}
least() { tr ' ' '\n' | grep . | sort -n | head -1; }
ms() { awk -v u="$1" 'BEGIN { printf "%.1f ms", u / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
row() { printf '| %s | %s | %s | %s× |\n' "$1" "$(ms "$2")" "$(ms "$3")" "$(ratio "$2" "$3")"; }

"$batch" sample --out "$work/dir" --individuals $full >/dev/null
"$batch" sample --out "$work/zip" --individuals $full --zip >/dev/null
zip=$work/zip/RostData.zip

echo "## Start and import, $full individuals, least of $runs runs"
echo
echo "| job | time | reference | ratio |"
echo "|---|---|---|---|"
bare=() window=() road=() open=() start=() import=() unzip=()
for ((r = 1; r <= runs; r++)); do
  bare+=("$(paint_micros bare)")
  window+=("$(paint_micros rostella "$work/dir")")
  rm -rf "$work/first" && mkdir "$work/first" && cp "$zip" "$work/first/"
  road+=("$(paint_micros rostella "$work/first")")
  start+=("$(micros "$batch" --version)")
  open+=("$(micros "$batch" household --data "$work/dir" --family 1)")
  rm -rf "$work/imp" "$work/unz" && mkdir "$work/imp" "$work/unz"
  import+=("$(micros "$batch" import --data "$work/imp" "$zip")")
  unzip+=("$(micros unzip -o -q "$zip" -d "$work/unz")")
done
b=$(echo "${bare[*]}" | least)
row "start to the first family painted (reference: an empty Qt window)" "$(echo "${window[*]}" | least)" "$b"
row "first start, importing RostData.zip, to the first family painted" "$(echo "${road[*]}" | least)" "$b"
row "rostella-batch household --family 1 (reference: rostella-batch --version)" \
  "$(echo "${open[*]}" | least)" "$(echo "${start[*]}" | least)"
row "rostella-batch import (reference: unzip -o)" "$(echo "${import[*]}" | least)" \
  "$(echo "${unzip[*]}" | least)"

# A directory of n people who all hold the office "Usher", one family each.
lists_directory() {
  local n=$1 dir=$work/list$1
  mkdir -p "$dir/csv" "$dir/data"
  python3 - "$n" "$dir" <<'PY'
import csv, sys
n, d = int(sys.argv[1]), sys.argv[2]
def table(name, header, rows):
    with open(f'{d}/csv/{name}.csv', 'w', newline='') as f:
        w = csv.writer(f); w.writerow(header); w.writerows(rows)
ids = range(1, n + 1)
table('RostFamilies', ['Family ID Num', 'Family Name', 'Vorel Name', 'Address1', 'City', 'State',
      'Zip', 'Home Phone'], [[i, f'Family{i:05d}', f'The Family{i:05d}s', f'{i} Main Street',
      'Springfield', 'IL', '62701', f'555-{i % 10000:04d}'] for i in ids])
table('RostIndividuals', ['Indiv ID Num', 'Family ID Num', 'Family Rank Order', 'Title',
      'First Name', 'Last Name', 'EMail Address', 'Family Status'],
      [[i, i, 1, 'Mr', f'Albert{i}', f'Family{i:05d}', f'al{i}@example.org', 'Single Adult']
       for i in ids])
table('RostSetup', ['Use Offices'], [['true']])
table('RostOffices', ['Indiv ID Num', 'Office'], [[i, 'Usher'] for i in ids])
with open(f'{d}/envelopes.csv', 'w', newline='') as f:
    w = csv.writer(f); w.writerow(['name', 'address1', 'city'])
    w.writerows([[f'Albert{i} Family{i:05d}', f'{i} Main Street', 'Springfield, IL 62701']
                 for i in ids])
PY
  "$batch" pack --csv "$dir/csv" --out "$dir/RostData.zip" >/dev/null
  "$batch" import --data "$dir/data" "$dir/RostData.zip" >/dev/null
}

# Seconds and peak resident megabytes of a command, the least of the runs.
timed_memory() {
  local best_s="" best_m=""
  for ((r = 1; r <= runs; r++)); do
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>&1 || { echo "failed: $*"; exit 1; }
    read -r s kb <"$work/time"
    best_s=$(printf '%s\n%s\n' "$best_s" "$s" | grep . | sort -n | head -1)
    best_m=$(printf '%s\n%s\n' "$best_m" "$((kb / 1024))" | grep . | sort -n | head -1)
  done
  echo "$best_s s | $best_m MB"
}

echo
echo "## Lists to PDF, least of $runs runs"
echo
echo "| rows | list envelopes | peak | name, address and phone list | peak | name, phone and e-mail list | peak |"
echo "|---|---|---|---|---|---|---|"
for n in "${sizes[@]}"; do
  lists_directory "$n"
  list=("$batch" list --data "$work/list$n/data" --kind "Church Offices" --item Usher)
  e=$(timed_memory "${list[@]}" --envelopes --name FormalName --out "$work/env.pdf")
  [ "$n" = 1000 ] && envelopes1000=${e%% s*}
  a=$(timed_memory "${list[@]}" --report address --out "$work/addr.pdf")
  p=$(timed_memory "${list[@]}" --report phone-email --out "$work/phone.pdf")
  echo "| $n | $e | $a | $p |"
done

echo
echo "## Address labels of the $full individuals (one each, 5160 sheets), least of $runs runs"
echo
echo "| job | time | peak |"
echo "|---|---|---|"
echo "| labels --all --sheet 5160 | $(timed_memory "$batch" labels --data "$work/dir" --all --sheet 5160 --name FormalName --out "$work/labels.pdf") |"
if [ $short = 0 ] && command -v glabels-3-batch >/dev/null; then
  sed "s|@CSV@|$work/list1000/envelopes.csv|" "$here/envelope.glabels" >"$work/envelope.glabels"
  echo
  g=$(timed_memory glabels-3-batch -o "$work/glabels.pdf" "$work/envelope.glabels")
  echo "glabels-3-batch, the same 1,000 envelopes: $g; list envelopes $(awk -v g="${g%% s*}" -v e="$envelopes1000" 'BEGIN { printf "%.0f", g / e }')× as fast"
fi
