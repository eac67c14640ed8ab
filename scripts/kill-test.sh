#!/usr/bin/env bash
# Kills a process that saves every data file in a loop with SIGKILL at random
# moments, KILLS times (1000 unless given), and checks after each kill that
# every file is whole, old or new, and that the start-up clean-up leaves no
# temporary file. CI runs a short series of the same test through ctest.
#   scripts/kill-test.sh [BUILD_DIR] [KILLS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
kills=${2:-1000}
cmake --build "$root/$build" --target save_kill_test > /dev/null
"$root/$build/tests/save_kill_test" "$root/$build/tests/save_loop_helper" \
  "$root/$build/tests/libsave_kill_shim.so" "$kills"
