#!/usr/bin/env bash
# Runs a test program on a throwaway Xvfb display of its own.
#   with_x.sh PROGRAM [ARGUMENTS]
set -euo pipefail
case_name=$(basename "$1")
source "$(dirname "$0")/lib.sh"
start_x
"$@"
