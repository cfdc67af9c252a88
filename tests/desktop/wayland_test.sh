#!/usr/bin/env bash
# The program on a Wayland desktop (a headless compositor): it starts on Qt's Wayland platform
# by itself, its main window is exposed, the score calculator opens over it and the main window
# takes no input meanwhile.  wayland_test.sh PROGRAM PROBE_LIBRARY
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

# No X display and no platform chosen: the program must find the Wayland session by itself.
log=$runtime/program.log
env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=$socket \
  QUARLEX_PROBE=modal LD_PRELOAD="$probe" timeout 120 "$program" >"$log" 2>&1
status=$?
failed=0
for expected in "main window exposed" "calculator open on wayland" "main window input blocked"; do
  grep -q "^probe: $expected" "$log" || failed=1
done
[ $status -eq 0 ] || failed=1
if [ $failed -ne 0 ]; then
  echo "status $status:"; cat "$log"
fi
grep "^probe: calculator transient for" "$log"
exit $failed
