#!/usr/bin/env bash
# Installs what Dovanel needs, builds it and runs it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# The build folder is shared with scripts/test.sh, which sets the options it needs again.
"$root/scripts/build.sh" build -DDOVANEL_BUILD_TESTS=OFF \
  -DDOVANEL_BUILD_BENCH=OFF -DDOVANEL_BUILD_UI=ON -DDOVANEL_SANITIZE=OFF -DDOVANEL_FUZZ=OFF
exec "$root/build/app/dovanel" "$@"
