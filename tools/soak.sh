#!/usr/bin/env bash
# Soak: dicefeeder against a stand-in dialog that closes after each click and reopens, for
# MINUTES (default 30) on a throwaway X server. Prints, once a minute, the feeder's resident
# memory, open descriptors, CPU time and rolls entered; they must stay flat.
#   bash tools/soak.sh [MINUTES]
set -euo pipefail
minutes=${1:-30}
source "$(dirname "$0")/standin_run.sh" soak

start_x
start_standin close mapped
start_feeder '11 21 22 31 32 33 41 42 43 44 51 52 53 54 55 61 62 63 64 65 66\n'
ticks=$(getconf CLK_TCK)
printf '%7s %9s %5s %9s %7s %12s\n' minute rss_kib fds cpu_s rolls cpu_ms/poll
for minute in $(seq 0 "$minutes"); do
    [ "$minute" = 0 ] || sleep 60
    kill -0 "$feeder_pid" 2>/dev/null || fail "dicefeeder ended"
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$feeder_pid/status")
    fds=$(ls "/proc/$feeder_pid/fd" | wc -l)
    cpu_ticks=$(awk '{ print $14 + $15 }' "/proc/$feeder_pid/stat")
    rolls=$(wc -l <"$work/out")
    awk -v m="$minute" -v r="$rss" -v f="$fds" -v c="$cpu_ticks" -v t="$ticks" -v n="$rolls" \
        'BEGIN { printf "%7d %9d %5d %9.2f %7d %12.3f\n", m, r, f, c / t, n,
                 n ? 1000 * c / t / n : 0 }'
done
stop_feeder
grep -v '^Rolled: [1-6][1-6] $' "$work/out" && fail "unexpected console lines" || true
presses=$(grep -c '^press' "$work/clicks")
echo "rolls $(wc -l <"$work/out"), presses received $presses"
