#!/usr/bin/env bash
# Reports the program's processor time while it waits for the meter: a 3 s
# WaitForInput on a silent line and a Get-style exchange with a meter that
# answers one character at a time at 9600 baud. Fails when either takes
# more than 5% of its wall time.
#
#   bench/link-cpu.sh [path/to/link-bench]     (default: build/link-bench)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BIN="${1:-$ROOT/build/link-bench}"
[ -x "$BIN" ] || { echo "no bench program at $BIN (build first)" >&2; exit 2; }

source "$ROOT/bench/with-meter.sh"
echo "Program processor time (getrusage) while waiting for the meter:"
TIMEFORMAT='whole run, start-up included: wall %R s, user %U s, system %S s'
status=0
time "$BIN" program "$work" 1 || status=$?
exit "$status"
