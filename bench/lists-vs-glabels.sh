#!/usr/bin/env bash
# 1,000 list envelopes and a 1,000-row name and address list to PDF with rostella-batch, beside
# glabels-3-batch printing the same 1,000 envelopes from a CSV file, in one run.
# Usage: bench/lists-vs-glabels.sh path/to/rostella-batch   (needs Debian's glabels and python3)
set -euo pipefail
batch=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
command -v glabels-3-batch >/dev/null || { echo "apt-get install glabels first"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir csv data
python3 - <<'PY'
import csv
def table(name, header, rows):
    with open(f'csv/{name}.csv', 'w', newline='') as f:
        w = csv.writer(f); w.writerow(header); w.writerows(rows)
n = range(1, 1001)
table('RostFamilies', ['Family ID Num', 'Family Name', 'Vorel Name', 'Address1', 'Address2', 'City',
      'State', 'Zip', 'Country', 'IntlAddress', 'Home Phone', 'Family Picture'],
      [[i, f'Family{i:04d}', f'The Family{i:04d}s', f'{i} Main Street', '', 'Springfield', 'IL',
        '62701', '', '', f'555-{i:04d}', ''] for i in n])
table('RostIndividuals', ['Indiv ID Num', 'Family ID Num', 'Family Rank Order', 'Title', 'Goes By',
      'First Name', 'Middle Name', 'Last Name', 'Suffix', 'EMail Address', 'Family Status',
      'Work Phone', 'Fax', 'Cell', 'Pager', 'Other Phone Label', 'Other Phone'],
      [[i, i, 1, 'Mr', f'Al{i}', f'Albert{i}', '', f'Family{i:04d}', '', '', 'Single Adult', '', '',
        '', '', '', ''] for i in n])
table('RostSetup', ['Use Offices', 'Use Talents', 'Use Activities', 'Use User 1', 'Use User 2',
      'User 1 Name', 'User 2 Name'], [['true', 'false', 'false', 'false', 'false', '', '']])
table('RostOffices', ['Indiv ID Num', 'Office'], [[i, 'Usher'] for i in n])
with open('envelopes.csv', 'w', newline='') as f:
    w = csv.writer(f); w.writerow(['name', 'address1', 'city'])
    w.writerows([[f'Albert{i} Family{i:04d}', f'{i} Main Street', 'Springfield, IL 62701'] for i in n])
PY
"$batch" pack --csv csv --out RostData.zip >/dev/null
"$batch" import --data data RostData.zip >/dev/null
sed "s|@CSV@|$work/envelopes.csv|" "$here/envelope.glabels" >envelope.glabels
timed() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N); echo "$end - $start" | bc; }
for round in 1 2 3; do
  r=$(timed "$batch" list --data data --kind "Church Offices" --item Usher --envelopes --name FormalName --out env.pdf)
  a=$(timed "$batch" list --data data --kind "Church Offices" --item Usher --report address --out addr.pdf)
  g=$(timed glabels-3-batch -o glabels.pdf envelope.glabels)
  echo "round $round: rostella envelopes ${r}s, rostella address list ${a}s, glabels envelopes ${g}s"
done
pdfinfo env.pdf | grep Pages; pdfinfo glabels.pdf | grep Pages
