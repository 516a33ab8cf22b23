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

work="$(mktemp -d)"
meter=""
cleanup() {
  if [ -n "$meter" ]; then kill "$meter" 2>/dev/null || true; wait "$meter" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# The meter runs as a process of its own, so that its work is not counted.
"$BIN" meter "$work" 1 >"$work/meter.out" &
meter=$!
for _ in $(seq 100); do
  grep -q ready "$work/meter.out" 2>/dev/null && break
  kill -0 "$meter" 2>/dev/null || { echo "the meter did not start" >&2; exit 2; }
  sleep 0.05
done
grep -q ready "$work/meter.out" || { echo "the meter did not start" >&2; exit 2; }

export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
echo "Program processor time (getrusage) while waiting for the meter:"
TIMEFORMAT='whole run, start-up included: wall %R s, user %U s, system %S s'
status=0
time "$BIN" program "$work" 1 || status=$?
exit "$status"
