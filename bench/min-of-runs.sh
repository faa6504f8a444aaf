#!/usr/bin/env bash
# Runs a benchmark program several times over and prints, for each benchmark, the least CPU time
# of the runs: on a shared machine the least is the figure that noise disturbs least.
# Usage: bench/min-of-runs.sh PROGRAM FILTER [RUNS]   (RUNS defaults to 5)
set -euo pipefail
"$1" --benchmark_min_time=0.2 --benchmark_repetitions="${3:-5}" --benchmark_filter="$2" \
    2>/dev/null |
  awk '/^BM_/ && $1 !~ /_(mean|median|stddev|cv)$/ {
         if (!($1 in least) || $4 < least[$1]) { least[$1] = $4; unit[$1] = $5 }
       }
       END { for (name in least) printf "%-45s %10.2f %s\n", name, least[name], unit[name] }' |
  sort
