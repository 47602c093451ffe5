#!/usr/bin/env bash
# Builds dicefeeder and starts it in the current directory, where it reads dicefile.txt.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/tools/packages.sh"
need_packages "${BUILD_PACKAGES[@]}"
cmake -S "$here" -B "$here/build" -DBUILD_TESTING=OFF >/dev/null
cmake --build "$here/build" --target dicefeeder -j"$(nproc)" >/dev/null
exec "$here/build/dicefeeder"
