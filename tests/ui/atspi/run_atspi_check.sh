#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs atspi_check.py (or the check named second, orca_check.py) against the program given, in
# an X server (Xvfb) and a D-Bus session of their own, so that the accessibility bus and
# everything on it end with the check.
set -eu
program="$1"
check="${2:-atspi_check.py}"
here="$(dirname "$0")"
python=/usr/bin/python3  # Debian's, which has pyatspi

tools="xvfb-run xauth dbus-run-session xclip $python"
if [ "$check" = orca_check.py ]; then
    tools="$tools orca"
fi
for tool in $tools; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAILED: $tool is missing; tools/install-deps.sh installs it" >&2
        exit 1
    fi
done
if ! "$python" -c 'import pyatspi' 2>/dev/null; then
    echo "FAILED: pyatspi is missing (python3-pyatspi); tools/install-deps.sh installs it" >&2
    exit 1
fi
if [ ! -x /usr/libexec/at-spi-bus-launcher ]; then
    echo "FAILED: the AT-SPI bus (at-spi2-core) is missing; tools/install-deps.sh installs it" >&2
    exit 1
fi

# Other X servers may be starting at the same time (tests run in parallel): look for a free
# display from a number of our own rather than from 99. Without -noreset the server resets
# whenever its last client leaves (the accessibility bus launcher is one), and a program
# connecting just then is turned away.
# TRELVANE_XVFB_LOG names a file for the X server's messages.
first_display=$((100 + $$ % 800))
exec xvfb-run --error-file="${TRELVANE_XVFB_LOG:-/dev/null}" \
    --auto-servernum --server-num="$first_display" \
    --server-args="-screen 0 1280x1024x24 -nolisten tcp -noreset" \
    dbus-run-session -- "$python" "$here/$check" "$program"
