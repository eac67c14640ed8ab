#!/usr/bin/env bash
# Installs what Dovanel needs, builds it and runs it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build -DDOVANEL_BUILD_TESTS=OFF -DDOVANEL_BUILD_BENCH=OFF
exec "$root/build/app/dovanel" "$@"
