#!/usr/bin/env bash
# Installs what is missing, builds, runs every test, builds examples/hello against the installed
# runtime and starts it, runs each fuzz target briefly, then the unit and runtime tests again
# under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2
bash scripts/example_test.sh
bash scripts/fuzz.sh
bash scripts/sanitize.sh
