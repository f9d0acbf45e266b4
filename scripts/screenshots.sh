#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Takes a picture of every window and dialog against the simulated units:
# at scale 1 on a 1366x768 screen (NAME.png) and at scale 2 on a 2560x1440
# screen (NAME@2x.png), into docs/screenshots/, and writes the page that
# shows them, docs/screenshots.md. The pictures are listed in
# src/app/screenshots.cpp. The German set is taken the same way into
# docs/screenshots/de/ (scale 1 kept; scale 2 only checked). A window that
# does not fit its screen, or a control shown cut, is named on standard error
# and the script ends with 1.
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
shoot() {  # scale, screen, language, folder
  echo "scale $1 on a $2 screen, language $3"
  if ! (cd "$work" && WAYRUNNER_DATA_DIR="$work/data" QT_SCALE_FACTOR="$1" \
        LANGUAGE="$3" LC_ALL= LC_MESSAGES= LANG="$3" \
        xvfb-run -a -s "-screen 0 $2x24" timeout 180 "$tool" --screenshot-dir "$4" \
        >"$work/list-$1-$3.txt"); then
    status=1
  fi
}
shoot 1 1366x768 C "$out"
shoot 2 2560x1440 C "$out"
mkdir -p "$out/de"
shoot 1 1366x768 de_DE.UTF-8 "$out/de"
shoot 2 2560x1440 de_DE.UTF-8 "$work/de-2x"
rm -f "$out"/de/*@2x.png

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
  done <"$work/list-1-C.txt"
  echo
  echo "# German"
  echo
  echo "The same windows with the German translation, at scale 1 (\`LANG=de_DE.UTF-8\`)."
  while IFS=$'\t' read -r name caption; do
    [[ -n "$name" ]] || continue
    echo
    echo "## $caption (German)"
    echo
    echo "![$caption, German](screenshots/de/$name.png)"
  done <"$work/list-1-de_DE.UTF-8.txt"
} >docs/screenshots.md

ls -1 "$out"/*.png "$out"/de/*.png
if [[ $status -ne 0 ]]; then
  echo "screenshots: some pictures show a problem (see above)" >&2
fi
exit $status
