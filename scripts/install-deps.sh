#!/usr/bin/env bash
# Installs the Debian 12 packages the toolbox needs to build, run and test. Quiet and quick when
# everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-multimedia-dev qt6-tools-dev libgl-dev
  qt6-translations-l10n
  libpng-dev libjpeg62-turbo-dev zlib1g-dev nlohmann-json3-dev
  fonts-arphic-uming fonts-noto-cjk
  libfluidsynth-dev fluid-soundfont-gm
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth libxcb1-dev x11-utils openbox xdotool
  qt6-svg-dev qt6-wayland weston
  desktop-file-utils appstream lintian file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
