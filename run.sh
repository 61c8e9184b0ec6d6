#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled sample document.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh build
build/bin/lamivex-sample out/sample.psd
build/bin/lamivex-info out/sample.psd
