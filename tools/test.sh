#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test: the Linux build natively, the
# Windows build (MinGW-w64) under Wine. Each end-to-end test starts its own throwaway X server.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/tools/packages.sh"
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev xvfb openbox x11-utils \
    g++-mingw-w64-x86-64 wine wine64

cmake -S "$here" -B "$here/build" -DBUILD_TESTING=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build "$here/build" -j"$(nproc)"
ctest --test-dir "$here/build" --output-on-failure -j2

cmake -S "$here" -B "$here/build-windows" -DBUILD_TESTING=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake"
cmake --build "$here/build-windows" -j"$(nproc)"
ctest --test-dir "$here/build-windows" --output-on-failure
