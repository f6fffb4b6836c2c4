#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds Trelvane alone (no tests, no benchmarks) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake --preset user
cmake --build --preset user
exec build/user/ui/trelvane "$@"
