#!/usr/bin/env bash
# Runs the program under a real X server (Xvfb with the openbox window manager):
#   xvfb_smoke.sh PATH_TO_DOVANEL_SMOKE DATA_FILES_FOLDER
# The program starts on a data folder of the installed files, first with the
# Quick Start turned off, then several times with it on (where it stands is
# decided by a race with the window manager, so one start proves little); its
# built-in driver checks where the windows' frames stand, that the splash, the
# main window and one editor are painted, then closes it.
set -euo pipefail
program=$1
data=$2
work=$(mktemp -d)
cleanup() {
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/data/Dovanel" "$work/run"
chmod 700 "$work/run"
cp "$data"/*.DAT "$work/data/Dovanel/"

exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
openbox > "$work/openbox.log" 2>&1 &
wm=$!
sleep 1

export QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"  # the X libraries keep their caches
for quickStart in NO YES YES YES YES; do
  printf '[General]\r\nShow Quick Start Information=%s\r\n' "$quickStart" \
    > "$work/data/Dovanel/DV.INI"
  if [ "$quickStart" = YES ]; then export SMOKE_QUICK_START=1; else unset SMOKE_QUICK_START; fi
  timeout 120 "$program"
done
