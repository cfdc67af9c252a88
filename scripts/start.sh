#!/usr/bin/env bash
# Installs what is missing, builds, and starts the toolbox.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
# The toolbox program is not assembled yet: until it is, this shows the sample form's contents.
exec build/bin/formtool dump tools/formtool/sample.tpl
