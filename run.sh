#!/usr/bin/env bash
# Installs what is missing, builds Trelvane and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake --preset release
cmake --build --preset release
if [ -x build/release/ui/trelvane ]; then
    exec build/release/ui/trelvane "$@"
else
    echo "Built the engine; the window is not part of this build yet."
fi
