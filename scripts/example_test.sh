#!/usr/bin/env bash
# A program of one's own, as the README's "A program of your own" makes it: the runtime installed
# from build/ under a prefix outside the source tree, examples/hello copied out of the tree and
# built there against that prefix alone, then started on a virtual X server with a window
# manager, where a name is typed, Enter pressed and the window closed with Esc.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install build --prefix "$work/prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }
cp -r examples/hello "$work/hello"
if ! { cmake -S "$work/hello" -B "$work/build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" &&
       cmake --build "$work/build"; } >"$work/build.log" 2>&1; then
  cat "$work/build.log"; echo "FAILED: examples/hello did not build against the installed runtime"; exit 1
fi

cat >"$work/session.sh" <<'SESSION'
set -u
program=$1 log=$2
openbox >/dev/null 2>&1 &
# The program starts once the window manager runs, as on a desktop.
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW && break
  sleep 0.1
done
QT_QPA_PLATFORM=xcb "$program" >"$log" 2>&1 &
pid=$!
window=
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^你好$' 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  kill $pid 2>/dev/null; echo "FAILED: hello showed no window"; exit 1
fi
xdotool windowactivate --sync "$window" type --delay 20 'Ann'
xdotool key --delay 50 Return Escape
for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then
  kill $pid; echo "FAILED: hello did not end when its window was closed"; exit 1
fi
wait $pid
SESSION
if ! xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session.sh" "$work/build/hello" "$work/hello.log"; then
  cat "$work/hello.log"; exit 1
fi
echo "examples/hello: built against the installed runtime, started, closed"
