#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds Trelvane and runs the whole test suite headless: the release
# build with its suite and the check of its Debian package, the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of the dispatch fuzzer.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
# The workflows build and test on every core unless told otherwise.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$(nproc)}"

for preset in release asan fuzz; do
    echo "=== ${preset} ==="
    cmake --workflow --preset "${preset}"
done
