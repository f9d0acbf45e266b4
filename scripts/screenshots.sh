#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Takes a picture of every window and dialog against the simulated units:
# at scale 1 on a 1366x768 screen (NAME.png) and at scale 2 on a 2560x1440
# screen (NAME@2x.png), into docs/screenshots/, and writes the page that
# shows them, docs/screenshots.md. The pictures are listed in
# src/app/screenshots.cpp. A window that does not fit its screen, or a
# control shown cut, is named on standard error and the script ends with 1.
# Usage: scripts/screenshots.sh [path to wayrunner-track]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tool="${1:-build/default/wayrunner-track}"
if [[ ! -x "$tool" ]]; then
  scripts/build.sh default --target wayrunner-track
fi
tool=$(realpath "$tool")
out="$root/docs/screenshots"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The Network Wizard shows the example operator presets, and the trip grid
# no place names of the user's own.
cp packaging/Settings.ini "$work/"
mkdir -p "$work/data"

status=0
shoot() {  # scale, screen
  echo "scale $1 on a $2 screen"
  if ! (cd "$work" && WAYRUNNER_DATA_DIR="$work/data" QT_SCALE_FACTOR="$1" \
        xvfb-run -a -s "-screen 0 $2x24" timeout 180 "$tool" --screenshot-dir "$out" \
        >"$work/list-$1.txt"); then
    status=1
  fi
}
shoot 1 1366x768
shoot 2 2560x1440

{
  echo "# Screenshots"
  echo
  echo "Every window and dialog of Wayrunner Track against the simulated units, at scale 1 on a"
  echo "1366 x 768 screen; each links to the same picture at scale 2 (\`QT_SCALE_FACTOR=2\`) on a"
  echo "2560 x 1440 screen. \`scripts/screenshots.sh\` takes them and writes this page; the list is"
  echo "in \`src/app/screenshots.cpp\`."
  while IFS=$'\t' read -r name caption; do
    [[ -n "$name" ]] || continue
    echo
    echo "## $caption"
    echo
    echo "[![$caption](screenshots/$name.png)](screenshots/$name@2x.png)"
  done <"$work/list-1.txt"
} >docs/screenshots.md

ls -1 "$out"/*.png
if [[ $status -ne 0 ]]; then
  echo "screenshots: some pictures show a problem (see above)" >&2
fi
exit $status
