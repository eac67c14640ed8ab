#!/usr/bin/env bash
# Renders every window and dialog of the program to PNG files, offscreen, at
# scale 1, 1.5 and 2, in the light and the dark palette: scripts/screenshots.sh OUTDIR
set -euo pipefail
out=${1:?usage: scripts/screenshots.sh OUTDIR}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DOVANEL_BUILD:-$root/build}
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" --target dovanel_screenshots --parallel "$(nproc)" > /dev/null
for scale in 1 1.5 2; do
  QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale \
    "$build/app/dovanel_screenshots" "$out/scale$scale" "$build/app"
done
echo "screenshots in $out/scale1, $out/scale1.5 and $out/scale2"
