#!/usr/bin/env bash
# Installs what is missing, builds, runs every test, then runs each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2
bash scripts/fuzz.sh
