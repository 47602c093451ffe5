#!/usr/bin/env bash
# Replays the seeds and every kept regression input, then fuzzes for SECONDS from them.
#   run_fuzz.sh FUZZER SECONDS
# A crash, leak, hang or failed check leaves its input in a temporary folder named in the
# output: copy it into tests/fuzz/regressions/ so that it is replayed on every run.
set -euo pipefail
fuzzer=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
mkdir "$work/corpus"
"$fuzzer" -runs=0 "$here/seeds" "$here/regressions"
"$fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" "$here/seeds" "$here/regressions" 2>"$work/log" ||
    { tail -n 40 "$work/log"; echo "fuzzer found a fault; its input is in $work" >&2; exit 1; }
grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$work/log" || true
rm -rf "$work"
