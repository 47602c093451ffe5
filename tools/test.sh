#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test: the Linux build natively, again
# under AddressSanitizer and UndefinedBehaviorSanitizer (Clang, with the dice reader's fuzzer),
# and the Windows build (MinGW-w64) under Wine. Each end-to-end test starts its own throwaway
# X server.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/tools/packages.sh"
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev xvfb openbox x11-utils dpkg-dev clang libclang-rt-14-dev \
    clang-format g++-mingw-w64-x86-64 wine wine64

# Every source as clang-format has it (in a git checkout).
if sources=$(cd "$here" && git ls-files '*.cpp' '*.h' 2>/dev/null) && [ -n "$sources" ]; then
    (cd "$here" && clang-format --dry-run -Werror $sources)
fi

# configure_build_test DIR [CMAKE OPTIONS]
configure_build_test() {
    local dir=$1
    shift
    cmake -S "$here" -B "$dir" -DBUILD_TESTING=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$@"
    cmake --build "$dir" -j"$(nproc)"
    ctest --test-dir "$dir" --output-on-failure -j2
}

configure_build_test "$here/build"
configure_build_test "$here/build-sanitize" -DDICEFEEDER_SANITIZE=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
configure_build_test "$here/build-windows" \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake"
