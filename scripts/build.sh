#!/usr/bin/env bash
# Configures (once) and builds everything into build/; executables land in build/bin/.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja >/dev/null
cmake --build build
