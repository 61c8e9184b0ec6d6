#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (files mapped before a guard
# page) into build-asan and runs every test there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build-asan -DLAMIVEX_SANITIZE=ON
cd build-asan && ctest --output-on-failure -j "$(nproc)"
