#!/usr/bin/env bash
# Installs what Dovanel needs, then builds and runs every test twice: in a
# normal build and under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen

echo "== normal build"
"$root/scripts/build.sh" build
ctest --test-dir "$root/build" --output-on-failure --timeout 300

if command -v dpkg-deb > /dev/null; then
  echo "== Debian package"
  "$root/scripts/package-test.sh" build
fi

echo "== sanitizer build (ASan + UBSan)"
"$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DDOVANEL_SANITIZE=ON -DDOVANEL_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure --timeout 600
