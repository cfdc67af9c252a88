#!/usr/bin/env bash
# The program on a Wayland desktop (a headless compositor): it starts on Qt's Wayland platform
# by itself under the name of its menu entry (the desktop's way to its icon), its main window is
# exposed, the score calculator opens over it and the main window takes no input meanwhile; every
# window opens, the web windows with their view.
#   wayland_test.sh PROGRAM PROBE_LIBRARY
# Skipped (77) when the compositor or Qt's Wayland platform is not installed.
set -uo pipefail
program=$1 probe=$2
command -v weston >/dev/null || { echo "weston is not installed"; exit 77; }
dpkg-query -W -f='${Status}' qt6-wayland 2>/dev/null | grep -q "ok installed" ||
  { echo "qt6-wayland is not installed"; exit 77; }

runtime=$(mktemp -d)
chmod 700 "$runtime"
socket=wayland-quarlex-test
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=$socket --idle-time=0 \
  >"$runtime/weston.log" 2>&1 &
weston=$!
trap 'kill $weston 2>/dev/null; wait $weston 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do
  [ -S "$runtime/$socket" ] && break
  sleep 0.1
done
[ -S "$runtime/$socket" ] || { echo "the compositor did not start:"; cat "$runtime/weston.log"; exit 1; }

# The browser engine's sandbox cannot work for the superuser and the program never turns it off:
# run as root, the test makes that choice itself, as such a user would have to.
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi

# No X display and no platform chosen: the program must find the Wayland session by itself.
failed=0
run() {  # scenario, expected probe lines...
  local scenario=$1 log=$runtime/$1.log status
  shift
  env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=$socket HOME="$runtime" \
    QUARLEX_PROBE=$scenario LD_PRELOAD="$probe" timeout 120 "$program" >"$log" 2>&1
  status=$?
  local missing=0
  for expected in "$@"; do
    grep -q "^probe: $expected" "$log" || missing=1
  done
  if [ $status -ne 0 ] || [ $missing -ne 0 ]; then
    echo "--- $scenario (status $status):"; cat "$log"; failed=1
  fi
}
run modal "main window exposed" "calculator open on wayland" "main window input blocked" \
  "known to the desktop as example.quarlex.Toolbox" "calculator transient for: the main window"
run every-window "window Quarlex物价计算 open" "window Quarlex积分计算 open" \
  "window Quarlex科举 open with its web view" "window 开服表 open with its web view"
exit $failed
