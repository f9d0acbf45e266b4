#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders the application icon's PNG sizes from packaging/icons/wayrunner-track.svg.
# The PNGs are kept in the repository so that a build needs no SVG renderer;
# run this again after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v rsvg-convert >/dev/null; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends librsvg2-bin
fi
for size in 48 128 256; do
  rsvg-convert -w "$size" -h "$size" packaging/icons/wayrunner-track.svg \
    -o "packaging/icons/wayrunner-track-$size.png"
done
ls -l packaging/icons/
