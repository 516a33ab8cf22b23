# Sourced by the processor-time benchmarks: starts "$BIN meter <folder> 1"
# as a process of its own (so that its work is not counted as the
# program's), waits for its "ready" and ends it on exit. Sets $work.
work="$(mktemp -d)"
meter=""
cleanup() {
  if [ -n "$meter" ]; then kill "$meter" 2>/dev/null || true; wait "$meter" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

"$BIN" meter "$work" 1 >"$work/meter.out" &
meter=$!
for _ in $(seq 100); do
  grep -q ready "$work/meter.out" 2>/dev/null && break
  kill -0 "$meter" 2>/dev/null || { echo "the meter did not start" >&2; exit 2; }
  sleep 0.05
done
grep -q ready "$work/meter.out" || { echo "the meter did not start" >&2; exit 2; }
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
