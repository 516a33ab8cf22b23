#!/usr/bin/env bash
# The program started with no display, and with one named that is not
# there: status 1 and one line that says so, no abort.
set -u
program=$1
fail=0

check() {
  local what=$1 err rc
  shift
  err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE "$@" \
        timeout 60 "$program" 2>&1 >/dev/null)
  rc=$?
  if [ "$rc" -ne 1 ] || [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ] \
     || ! grep -q '^counter-setup: no display found' <<<"$err"; then
    printf '%s: status %s, said:\n%s\n' "$what" "$rc" "$err"
    fail=1
  fi
}

check "no display"
check "a display that is not there" DISPLAY=:97
exit $fail
