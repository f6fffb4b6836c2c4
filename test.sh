#!/usr/bin/env bash
# Installs what is missing, builds Trelvane and runs the whole test suite headless: the release
# build, the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run
# of the dispatch fuzzer.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

for preset in release asan fuzz; do
    echo "=== ${preset} ==="
    cmake --preset "${preset}"
    cmake --build --preset "${preset}" -j "${jobs}"
    ctest --preset "${preset}" -j "${jobs}"
done
