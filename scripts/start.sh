#!/usr/bin/env bash
# Installs what is missing, builds, and starts the toolbox.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
exec build/bin/quarlex-toolbox
