#!/usr/bin/env bash
# The program started where Qt cannot open a display: status 1 and the true
# reason. No display reached: one line that says so, naming the variable
# that named it. Otherwise Qt's own lines about its plugin, without its
# advice to reinstall, and what to do. A start-up warning that the
# environment makes fatal is shown before Qt stops.
set -u
program=$1
bad=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 700 "$scratch"
ulimit -c 0

# run VAR=VALUE...: the status in $rc, what went to standard error in $err.
run() {
  err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
            -u QT_FATAL_WARNINGS -u QT_FATAL_CRITICALS -u QT_QPA_PLATFORM_PLUGIN_PATH \
            -u QT_PLUGIN_PATH -u LD_LIBRARY_PATH XDG_RUNTIME_DIR="$scratch" \
            "$@" timeout 60 "$program" 2>&1 >/dev/null)
  rc=$?
}
failed() {
  printf '%s: status %s, said:\n%s\n\n' "$1" "$rc" "$err"
  bad=1
}

# no_display WHAT NAMED VAR=VALUE...
no_display() {
  local what=$1 named=$2
  shift 2
  run "$@"
  [ "$rc" -eq 1 ] && [ "$err" = "counter-setup: no display found$named; start it in a desktop session, or with DISPLAY or WAYLAND_DISPLAY naming the display to use." ] \
    || failed "$what"
}

# qt_reason WHAT TEXT... -- VAR=VALUE...: status 1 and each TEXT said.
qt_reason() {
  local what=$1 says=()
  shift
  while [ "$1" != "--" ]; do says+=("$1"); shift; done
  shift
  run "$@"
  local ok=1 s
  [ "$rc" -eq 1 ] || ok=0
  for s in "${says[@]}"; do grep -qF -- "$s" <<<"$err" || ok=0; done
  ! grep -qE 'no display found|Reinstalling' <<<"$err" || ok=0
  [ $ok = 1 ] || failed "$what"
}

no_display "no display" ""
no_display "a display that is not there" " (DISPLAY=:97)" DISPLAY=:97
no_display "X11 chosen, its display not there" " (DISPLAY=:97)" QT_QPA_PLATFORM=xcb DISPLAY=:97

plugins=$(dirname "$(find /usr/lib -path '*qt6/plugins/platforms/libqxcb.so' -print -quit)")
if ls "$plugins"/libqwayland* >/dev/null 2>&1; then
  no_display "Wayland chosen, its display not there" " (WAYLAND_DISPLAY=wayland-97)" \
    QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-97
else
  qt_reason "Wayland chosen, its plugin not installed" \
    'Could not find the Qt platform plugin "wayland"' 'Install the Debian package qt6-wayland' \
    'QT_QPA_PLATFORM=xcb.' -- QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-97 DISPLAY=:97
fi
qt_reason "a platform Qt does not have" 'Could not find the Qt platform plugin "nonesuch"' \
  'Available platform plugins are: ' 'Qt has no platform "nonesuch"' -- QT_QPA_PLATFORM=nonesuch

# The X11 plugin is there, but a library it needs is broken.
mkdir "$scratch/lib" && : >"$scratch/lib/libQt6XcbQpa.so.6"
qt_reason "the X11 plugin found but not loaded" \
  'Could not load the Qt platform plugin "xcb"' 'libQt6XcbQpa.so.6: file too short' \
  'missing or broken' -- DISPLAY=:97 LD_LIBRARY_PATH="$scratch/lib"

run QT_FATAL_WARNINGS=1 DISPLAY=:97
[ "$rc" -ne 0 ] && grep -qF 'could not connect to display :97' <<<"$err" \
  || failed "the first warning made fatal"
exit $bad
