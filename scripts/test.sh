#!/usr/bin/env bash
# Installs what Dovanel needs, then builds and runs every test twice: in a
# normal build and under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen

# The build folder is shared with scripts/run.sh, which leaves the tests out:
# every option the tests need is set here, and finding no test is a failure.
echo "== normal build"
"$root/scripts/build.sh" build -DDOVANEL_BUILD_TESTS=ON \
  -DDOVANEL_BUILD_BENCH=ON -DDOVANEL_BUILD_UI=ON -DDOVANEL_SANITIZE=OFF -DDOVANEL_FUZZ=OFF
ctest --test-dir "$root/build" --output-on-failure --no-tests=error --timeout 300

if command -v dpkg-deb > /dev/null; then
  echo "== Debian package"
  "$root/scripts/package-test.sh" build
fi

echo "== sanitizer build (ASan + UBSan)"
"$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DDOVANEL_SANITIZE=ON -DDOVANEL_BUILD_TESTS=ON \
  -DDOVANEL_BUILD_BENCH=OFF -DDOVANEL_BUILD_UI=ON -DDOVANEL_FUZZ=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure --no-tests=error --timeout 600
