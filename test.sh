#!/usr/bin/env bash
# Installs what is missing, builds Trelvane and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
cmake --preset release
cmake --build --preset release
ctest --preset release -j "$(nproc)"
