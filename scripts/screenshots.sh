#!/usr/bin/env bash
# Takes pictures of the four tabs and the terminal against the simulated unit
# into docs/screenshots/. Usage: scripts/screenshots.sh [path to wayrunner-track]
set -euo pipefail
cd "$(dirname "$0")/.."
tool="${1:-build/default/wayrunner-track}"
if [[ ! -x "$tool" ]]; then
  scripts/build.sh default --target wayrunner-track
fi
out="docs/screenshots"
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1280x1024x24" timeout 60 "$tool" --simulate --screenshot-dir "$out"
ls -1 "$out"/*.png
