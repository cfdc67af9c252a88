#!/usr/bin/env bash
# Installs what is missing, builds, and starts the toolbox.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# The toolbox shows windows: without a desktop, say so before building anything.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "Quarlex工具箱需要图形桌面：请在桌面中启动，或用虚拟桌面运行（xvfb-run -a bash scripts/start.sh）。 / The Quarlex toolbox needs a graphical desktop: start it from a desktop session, or run it on a virtual one with \`xvfb-run -a bash scripts/start.sh\`." >&2
  exit 1
fi
bash scripts/build.sh >/dev/null
exec build/bin/quarlex-toolbox
