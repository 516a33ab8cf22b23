#!/usr/bin/env bash
# The readings stream under load: the program's processor time with the
# list window open on a meter that streams records back to back at 19200
# baud (fails above 5% of one core), then a 1 MB backlog of records arriving
# at once (fails unless every record is framed, in order, and the newest is
# shown within 1 s).
#
#   bench/live-cpu.sh [path/to/live-bench]     (default: build/live-bench)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BIN="${1:-$ROOT/build/live-bench}"
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
status=0
"$BIN" program "$work" 1 || status=$?
"$BIN" backlog || status=$?
exit "$status"
