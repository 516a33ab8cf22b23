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

source "$ROOT/bench/with-meter.sh"
status=0
"$BIN" program "$work" 1 || status=$?
"$BIN" backlog || status=$?
exit "$status"
