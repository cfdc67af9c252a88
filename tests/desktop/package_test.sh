#!/usr/bin/env bash
# The Debian package as a user gets it: made by cpack from the build, its control data, its menu
# entry and AppStream data checked by the desktop's validators and lintian (each when installed),
# then unpacked into a scratch root (dpkg -x) and its program driven through every window, once
# started from / and once as the menu starts it, from the user's home.
#   package_test.sh BUILD_DIR PROBE_LIBRARY
set -uo pipefail

# The browser engine's sandbox cannot work for the superuser and the program never turns it off:
# run as root, the test makes that choice itself, as such a user would have to.
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi

build=$1 probe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

if ! (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log"; exit 1
fi
deb=$work/out/quarlex-toolbox_1.0.0_amd64.deb
[ -f "$deb" ] || { echo "no package; cpack made:"; ls "$work/out"; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6webenginewidgets6 libqt6widgets6 fonts-arphic-uming qt6-translations-l10n qt6-wayland; do
  grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer"
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -gt 1 ] || fail "no long description"

root=$work/root
home=$work/home
home_x=$work/home-x
mkdir -p "$home" "$home_x"
dpkg -x "$deb" "$root"
desktop=$root/usr/share/applications/example.quarlex.Toolbox.desktop
for file in "$desktop" "$root/usr/share/metainfo/example.quarlex.Toolbox.metainfo.xml" \
    "$root/usr/share/icons/hicolor/scalable/apps/quarlex-toolbox.svg" "$root/usr/bin/formtool"; do
  [ -f "$file" ] || fail "not installed: ${file#"$root"}"
done
for size in 16 24 32 48 64 128 256; do
  [ -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/quarlex-toolbox.png" ] || fail "no ${size}px icon"
done
if command -v desktop-file-validate >/dev/null; then
  problems=$(desktop-file-validate "$desktop" 2>&1 | grep -v ': hint: ')
  [ -z "$problems" ] || fail "desktop-file-validate: $problems"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/example.quarlex.Toolbox.metainfo.xml" >"$work/as.log" 2>&1 ||
    { cat "$work/as.log"; fail "appstreamcli validate"; }
fi
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian"; }
fi

# What an X11 desktop pairs with the menu entry: the window class is the entry's StartupWMClass,
# the window carries the program's icon at the sizes docks show (48 to 256 as well as 16 and 32)
# and a name for it, and the entry asks for launch feedback.
grep -qx 'StartupNotify=true' "$desktop" || fail "the menu entry gives no launch feedback"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ -n "$wm_class" ] || fail "the menu entry names no window class"
if command -v xvfb-run >/dev/null && command -v xprop >/dev/null; then
  HOME="$home_x" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    program=$1 log=$2
    QT_QPA_PLATFORM=xcb "$program" >"$log.program" 2>&1 &
    pid=$!
    window=
    for _ in $(seq 150); do
      window=$(xwininfo -root -children 2>/dev/null | awk "/Quarlex/ { print \$1; exit }")
      [ -n "$window" ] && xprop -id "$window" _NET_WM_ICON_NAME 2>/dev/null | grep -q "=" && break
      window=; sleep 0.2
    done
    if [ -n "$window" ]; then
      sleep 0.5
      xprop -id "$window" WM_CLASS _NET_WM_ICON_NAME >"$log"
      xprop -id "$window" -len 4000000 -notype _NET_WM_ICON | grep -o "Icon ([0-9]* x [0-9]*)" >>"$log"
    fi
    kill $pid; wait $pid 2>/dev/null; true
  ' xprop-check "$root/usr/bin/quarlex-toolbox" "$work/xprop.log"
  if [ ! -s "$work/xprop.log" ]; then
    cat "$work/xprop.log.program" 2>/dev/null; fail "no window of the installed program showed on X11"
  else
    grep -q "^WM_CLASS(STRING) = \"[^\"]*\", \"$wm_class\"\$" "$work/xprop.log" ||
      fail "window class is not the entry's $wm_class: $(grep WM_CLASS "$work/xprop.log")"
    grep -q '^_NET_WM_ICON_NAME(UTF8_STRING) = ".\+"' "$work/xprop.log" ||
      fail "no icon name: $(grep _NET_WM_ICON_NAME "$work/xprop.log")"
    for size in 16 32 48 64 128 256; do
      grep -q "^Icon ($size x $size)" "$work/xprop.log" || fail "_NET_WM_ICON has no ${size}px icon"
    done
  fi
fi

# The installed program with nothing of the build tree around: every window opens, the web
# windows with the engine's view, and the program ends when its windows are closed.
run() {  # what, folder, command...
  local what=$1 folder=$2 log=$work/run.log
  shift 2
  (cd "$folder" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" QT_QPA_PLATFORM=offscreen \
     QUARLEX_PROBE=every-window LD_PRELOAD="$probe" timeout 240 "$@") >"$log" 2>&1
  local status=$?
  if [ $status -ne 0 ] || [ "$(grep -c '^probe: window .* open' "$log")" -ne 4 ] ||
     ! grep -q '^probe: window 开服表 open with its web view' "$log" ||
     ! grep -q '^probe: window Quarlex科举 open with its web view' "$log"; then
    echo "--- $what (status $status):"; cat "$log"; fail "$what"
  fi
}
run "started from /" / "$root/usr/bin/quarlex-toolbox"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
run "started as the menu starts it" "$home" env PATH="$root/usr/bin:$PATH" $exec_line
exit $failed
