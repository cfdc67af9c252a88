#!/usr/bin/env bash
# Installs what is missing, builds, and starts the toolbox.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
# The toolbox program is not assembled yet: until it is, this opens the sample form's main window.
build/bin/formtool compile tools/formtool/sample/sample_form.json -o build/sample_form.tpl
exec build/bin/formtool show build/sample_form.tpl 0x52010001
