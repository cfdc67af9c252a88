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

# The installed program with nothing of the build tree around: every window opens, the web
# windows with the engine's view, and the program ends when its windows are closed.
home=$work/home
mkdir -p "$home"
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
