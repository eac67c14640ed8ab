#!/usr/bin/env bash
# Renders every window and dialog of the program to PNG files as users see
# them, offscreen on a desktop-sized screen, at scale 1, 1.5 and 2, in the light
# and the dark palette, with the platform's font and with a desktop font of
# 11 pt: scripts/screenshots.sh OUTDIR
set -euo pipefail
out=${1:?usage: scripts/screenshots.sh OUTDIR}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DOVANEL_BUILD:-$root/build}
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" --target dovanel_screenshots --parallel "$(nproc)" > /dev/null
for scale in 1 1.5 2; do
  QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale \
    "$build/app/dovanel_screenshots" "$out/scale$scale" "$build/app"
  QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale \
    "$build/app/dovanel_screenshots" "$out/scale$scale-11pt" "$build/app" 11
done
echo "screenshots in $out/scale1, $out/scale1.5 and $out/scale2 (and -11pt beside each)"
