#!/usr/bin/env bash
# Builds the fuzzer (clang, libFuzzer, ASan, UBSan, guard-page views) and runs it for the given number
# of seconds (default 600) on the seed corpus. A finding is written to fuzz/crashers/ and fails the run.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLAMIVEX_FUZZ=ON \
    -DLAMIVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target lamivex_fuzz lamivex_fuzz_seeds
seeds=build-fuzz/seeds
corpus=build-fuzz/corpus
rm -rf "$seeds" && mkdir -p "$seeds" "$corpus"
build-fuzz/bin/lamivex_fuzz_seeds "$seeds"
build-fuzz/bin/lamivex_fuzz -max_total_time="$seconds" -rss_limit_mb=4096 -timeout=20 -print_final_stats=1 \
    -dict=fuzz/psd.dict -artifact_prefix=fuzz/crashers/ "$corpus" "$seeds"
