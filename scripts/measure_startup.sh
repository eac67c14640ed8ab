#!/usr/bin/env bash
# Start-up time to the main window's first paint, and the resident memory then:
# the median of N runs (default 15) of a build that ends itself after the paint.
#   scripts/measure_startup.sh [RUNS]     (after a build in build/)
set -euo pipefail
runs=${1:-15}
root=$(cd "$(dirname "$0")/.." && pwd)
probe="$root/build/app/dovanel_startup_probe"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/data/Dovanel" "$home/run"
chmod 700 "$home/run"
cp "$root"/resources/data/* "$home/data/Dovanel/"
export XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$probe" > /dev/null 2>&1 || true   # warm the disk cache
samples="$home/samples"
for _ in $(seq "$runs"); do
  /usr/bin/time -f "%e %M" "$probe" 2>&1 >/dev/null | tail -n 1
done > "$samples"
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
seconds=$(cut -d' ' -f1 "$samples" | median)
kilobytes=$(cut -d' ' -f2 "$samples" | median)
awk -v s="$seconds" -v k="$kilobytes" -v n="$runs" \
  'BEGIN { printf "start-up to first paint: median %.0f ms; resident memory: median %.1f MB (%d runs)\n", s * 1000, k / 1024, n }'
