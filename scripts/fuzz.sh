#!/usr/bin/env bash
# Builds the data-file fuzzers with clang and runs each for a bounded time:
#   scripts/fuzz.sh [SECONDS_PER_READER]   (default 60)
# Seeds are the installed data files; findings land in fuzz/findings/.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
CC=clang CXX=clang++ "$root/scripts/build.sh" build-fuzz -DDOVANEL_FUZZ=ON -DDOVANEL_BUILD_TESTS=OFF -DDOVANEL_BUILD_UI=OFF \
  -DDOVANEL_BUILD_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
mkdir -p "$root/fuzz/findings"
declare -A seed=([estimate]=ESTIMATE [main]=MAIN [pmi]=PMI [escrow]=ESCROW [title]=TITLE
                 [fanmae]=FANMAE [loanorig]=LOANORIG [income]=INCOME [debt]=DEBT)
for name in estimate main pmi escrow title fanmae loanorig income debt; do
  corpus="$root/build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  cp "$root/resources/data/${seed[$name]}.DAT" "$corpus/"
  echo "== $name: ${seconds}s"
  "$root/build-fuzz/fuzz/fuzz_$name" "$corpus" -max_total_time="$seconds" -max_len=65536 \
    -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$root/fuzz/findings/$name-" -print_final_stats=1 \
    2>&1 | grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==|SUMMARY|.*Test unit written)' || true
done
