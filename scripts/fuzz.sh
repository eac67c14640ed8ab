#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for a bounded time:
#   scripts/fuzz.sh [SECONDS_PER_FUZZER] [FUZZER...]   (default 60, every fuzzer)
# Seeds are the installed data files; findings land in fuzz/findings/. Undefined
# behaviour stops a run like a crash, so its input is kept.
set -euo pipefail
seconds=${1:-60}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
CC=clang CXX=clang++ "$root/scripts/build.sh" build-fuzz -DDOVANEL_FUZZ=ON -DDOVANEL_BUILD_TESTS=OFF -DDOVANEL_BUILD_UI=OFF \
  -DDOVANEL_BUILD_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
mkdir -p "$root/fuzz/findings"
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
data=$root/resources/data
marker='|PART|'
declare -A seed=([estimate]=ESTIMATE [main]=MAIN [pmi]=PMI [escrow]=ESCROW [title]=TITLE
                 [fanmae]=FANMAE [loanorig]=LOANORIG [income]=INCOME [debt]=DEBT)

# Parts joined by the marker line the multi-part fuzzers cut their input at.
joined() {
  local first=1
  for part in "$@"; do
    [ $first -eq 1 ] || printf '%s\n' "$marker"
    first=0
    cat "$part"
  done
}

seed_corpus() {
  local name=$1 corpus=$2 tmp
  tmp=$(mktemp -d)
  case $name in
    ini)
      printf 'General' > "$tmp/s"; printf 'Show Quick Start Information' > "$tmp/k"; printf 'NO' > "$tmp/v"
      joined "$data/DV.INI" "$tmp/s" "$tmp/k" "$tmp/v" > "$corpus/seed-dv-ini"
      ;;
    startup)
      printf '\x07\x07\x07\x07\x07\x07\x07\x07\x07\x07\x01\x02\x00' > "$tmp/c"
      joined "$tmp/c" "$data"/{ESTIMATE,MAIN,PMI,ESCROW,TITLE,FANMAE,LOANORIG,INCOME,DEBT}.DAT \
        "$data/DV.INI" > "$corpus/seed-installed"
      ;;
    scenario)
      cp "$root/tests/data/scenarios/example.dovanel" "$root"/tests/fuzz/regressions/scenario/* "$corpus/"
      ;;
    recovery)
      cp "$root"/tests/fuzz/regressions/recovery/* "$corpus/"
      ;;
    kept)
      cp "$data/COMPS.DAT" "$data/GOVLOANS.DAT" "$corpus/"
      printf 'Dovanel comparison 1\nhorizon=7\ncolumn=current\nname=\npoints=0\n' > "$corpus/seed-comparison"
      printf 'Dovanel lender 1\nname=Bank\nnmls=1\nofficer=\nofficer-nmls=\naddress=a\\nb\nphone=\nemail=\n' > "$corpus/seed-lender"
      ;;
    *)
      cp "$data/${seed[$name]}.DAT" "$corpus/"
      ;;
  esac
  rm -rf "$tmp"
}

fuzzers=("$@")
[ ${#fuzzers[@]} -eq 0 ] && fuzzers=(estimate main pmi escrow title fanmae loanorig income debt ini startup scenario recovery kept)
for name in "${fuzzers[@]}"; do
  corpus="$root/build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  seed_corpus "$name" "$corpus"
  echo "== $name: ${seconds}s"
  "$root/build-fuzz/fuzz/fuzz_$name" "$corpus" -max_total_time="$seconds" -max_len=65536 \
    -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$root/fuzz/findings/$name-" -print_final_stats=1 \
    2>&1 | grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==|SUMMARY|.*runtime error|.*Test unit written)' || true
done
