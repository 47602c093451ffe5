#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test; each end-to-end test starts
# its own throwaway X server.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/tools/packages.sh"
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev xvfb openbox x11-utils
cmake -S "$here" -B "$here/build" -DBUILD_TESTING=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build "$here/build" -j"$(nproc)"
ctest --test-dir "$here/build" --output-on-failure -j2
