#!/usr/bin/env bash
# Tries the toolbox with the Orca screen reader on a virtual desktop and prints what Orca spoke:
# a private X server with openbox, a private session bus (the accessibility bus starts on it),
# speech-dispatcher speaking into a null audio output, Orca writing its debug log, and the toolbox
# with accessibility on. The keys go in through xdotool, as a player's would.
#
#   bash scripts/orca_pass.sh [TOOLBOX] [score|price|main]
#
# TOOLBOX defaults to build/bin/quarlex-toolbox. Needs xvfb, openbox, dbus, at-spi2-core, orca,
# speech-dispatcher and xdotool. Orca's whole debug log stays in $ORCA_LOG (default
# /tmp/orca-debug.log).
set -euo pipefail
cd "$(dirname "$0")/.."
toolbox=$(realpath "${1:-build/bin/quarlex-toolbox}")
pass=${2:-score}
log=${ORCA_LOG:-/tmp/orca-debug.log}

if [ -z "${ORCA_PASS_INNER:-}" ]; then
  home=$(mktemp -d)
  display=:$(( 40 + RANDOM % 200 ))
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null; rm -rf "$home"' EXIT
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  # Speech goes nowhere: libao's null driver stands in for a sound card.
  mkdir -p "$home/.config/speech-dispatcher"
  printf 'default_driver=null\n' >"$home/.libao"
  printf 'AudioOutputMethod "libao"\nDefaultModule espeak-ng\nAddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n' \
    >"$home/.config/speech-dispatcher/speechd.conf"
  HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home" DISPLAY="$display" ORCA_PASS_INNER=1 \
    dbus-run-session -- bash "$0" "$toolbox" "$pass"
  exit
fi

openbox >/dev/null 2>&1 &
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
sleep 1
speech-dispatcher -d >/dev/null 2>&1 || true
rm -f "$log"
orca --replace --debug-file "$log" >/dev/null 2>&1 &
orca=$!
sleep 4
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QTWEBENGINE_DISABLE_SANDBOX=1 "$toolbox" >/dev/null 2>&1 &
app=$!
sleep 4

key() { xdotool key --delay 150 "$@"; sleep "${PAUSE:-1.2}"; }
type_text() { xdotool type --delay 120 "$1"; sleep 1; }

case "$pass" in
  main)
    for _ in 1 2 3 4; do key Tab; done ;;
  score)
    # The main window's first button has the focus: Tab to 副本积分计算器 and press it. The
    # calculator opens with the focus in row 1; the Tab order goes row 1, 计算, row 2, row 3 ...
    key Tab
    key space
    sleep 2
    type_text 30000
    key Tab; key Tab
    type_text 30
    key shift+Tab
    key space
    sleep 2
    # Back to row 2: from the start of its text a word to the right, to its end.
    key Tab; key Home; key ctrl+Right
    key Escape ;;
  price)
    # 仙玉物价计算器 has the focus. The Tab order goes rows 1 to 4, then 计算.
    key space
    sleep 2
    type_text 1000; key Tab
    type_text 3000; key Tab; key Tab; key Tab
    key space
    sleep 2
    key Escape ;;
esac
sleep 2
kill "$app" 2>/dev/null || true
kill -9 "$app" 2>/dev/null || true
kill "$orca" 2>/dev/null || true
sleep 1
grep -a "SPEECH OUTPUT" "$log" | sed -e "s/^.*SPEECH OUTPUT: //" || true
