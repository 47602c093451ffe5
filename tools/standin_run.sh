# Sourced by demo.sh and soak.sh: installs what they need, builds dicefeeder and the stand-in
# dialog into build/, and brings in the end-to-end helpers (a work folder, start_x,
# start_standin, start_feeder, ...).
#   source tools/standin_run.sh NAME [DEBIAN_PACKAGE ...]
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
case_name=$1
shift
source "$here/tools/packages.sh"
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev xvfb "$@"
cmake -S "$here" -B "$here/build" -DBUILD_TESTING=ON >/dev/null
cmake --build "$here/build" -j"$(nproc)" --target dicefeeder standin_dialog >/dev/null
feeder=$here/build/dicefeeder
standin=$here/build/tests/e2e/standin_dialog
source "$here/tests/e2e/lib.sh"
