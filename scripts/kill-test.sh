#!/usr/bin/env bash
# Kills, with SIGKILL at random moments, KILLS times each (1000 unless given):
# a process saving every data file in a loop, then one keeping a recovery
# copy, saving a scenario file with Save As and saving MAIN.DAT. After each
# kill every file must be whole, old or new, the killed program's recovery
# copy must be found orphaned and whole, and the start-up clean-up must leave
# no temporary file. CI runs a short series of the same tests through ctest.
#   scripts/kill-test.sh [BUILD_DIR] [KILLS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
kills=${2:-1000}
cmake --build "$root/$build" --target save_kill_test recovery_kill_test > /dev/null
tests="$root/$build/tests"
"$tests/save_kill_test" "$tests/save_loop_helper" "$tests/libsave_kill_shim.so" "$kills"
"$tests/recovery_kill_test" "$tests/recovery_loop_helper" "$tests/libsave_kill_shim.so" "$kills"
