#!/usr/bin/env bash
# Without a desktop the program and scripts/start.sh say in one line, in Chinese and English,
# what is needed and how to run on a virtual desktop, and end with status 1; a platform chosen
# by the user is trusted.  no_desktop_test.sh PROGRAM SOURCE_DIR
set -uo pipefail
program=$1 source=$2
failed=0
no_desktop=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

expect_explained() {  # what, expected hint, command...
  local what=$1 hint=$2 out status
  shift 2
  out=$("$@" 2>&1 </dev/null)
  status=$?
  if [ "$status" -ne 1 ] || [ "$(printf '%s\n' "$out" | wc -l)" -ne 1 ] ||
     ! grep -q "图形桌面" <<<"$out" || ! grep -q "graphical desktop" <<<"$out" || ! grep -qF "$hint" <<<"$out"; then
    echo "$what: status $status, said:"; echo "$out"; failed=1
  fi
}

expect_explained "the program" "xvfb-run -a $program" "${no_desktop[@]}" "$program"
expect_explained "scripts/start.sh" "xvfb-run -a bash scripts/start.sh" "${no_desktop[@]}" bash "$source/scripts/start.sh"

# -platform chooses Qt's platform: the program starts and runs until it is stopped.
"${no_desktop[@]}" timeout 3 "$program" -platform offscreen >/dev/null 2>&1
status=$?
[ "$status" -eq 124 ] || { echo "with -platform offscreen the program ended with status $status"; failed=1; }
exit $failed
