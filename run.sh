#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled sample document: writes it to
# out/sample.psd, describes it, and extracts its merged image and layers as PNG files into out/sample/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh build
mkdir -p out
build/bin/lamivex-sample out/sample.psd
build/bin/lamivex info out/sample.psd
build/bin/lamivex extract out/sample.psd -o out/sample --crop canvas
echo
echo "Wrote out/sample/:"
ls -1 out/sample
