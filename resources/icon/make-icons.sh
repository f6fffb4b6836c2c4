#!/bin/sh
# SPDX-License-Identifier: MIT
# Renders the program icon from trelvane.svg into the files committed beside it:
#   trelvane-N.png            the icon at N x N (16, 32, 48, 64, 128, 256), for the desktop's
#                             hicolor theme and for the windows
#   trelvane-32-16colors.png  the 32 x 32 image in 16 colours that the main and table windows use
#   trelvane.ico              seven images: 16, 32 and 48 in 32-bit colour, 32 and 48 in
#                             256 colours, 32 in 16 colours, and 256 stored as PNG
# Needs rsvg-convert (Debian package librsvg2-bin) and python3. The build does not run this;
# run it again after changing the drawing and commit what it writes.
set -eu
cd "$(dirname "$0")"

for size in 16 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --format png --output "trelvane-$size.png" trelvane.svg
done

python3 make_ico.py indexed 16 trelvane-32.png trelvane-32-16colors.png
python3 make_ico.py ico trelvane.ico \
    32:trelvane-16.png 32:trelvane-32.png 32:trelvane-48.png \
    8:trelvane-32.png 8:trelvane-48.png \
    4:trelvane-32.png \
    png:trelvane-256.png
