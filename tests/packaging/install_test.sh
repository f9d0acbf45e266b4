#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the build into a temporary folder as a package would (prefix /usr)
# and checks what lands there: every file and nothing else, the programs run
# from there without a display, and the generated files say what they must.
#
# usage: install_test.sh BUILD_DIR SOURCE_DIR VERSION HAVE_CLI DEBIAN_DOCS
set -uo pipefail
build=$1 source=$2 version=$3 have_cli=$4 debian_docs=$5
id=example.wayrunner.track

root=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$root" "$log"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! DESTDIR="$root" cmake --install "$build" --prefix /usr >"$log" 2>&1; then
  cat "$log"
  echo "FAIL: cmake --install"; exit 1
fi

# ---- every file in its place, and nothing unexpected
expected=(
  usr/bin/wayrunner-track
  usr/lib/udev/rules.d/60-wayrunner-track.rules
  usr/share/applications/$id.desktop
  usr/share/bash-completion/completions/wayrunner-track
  usr/share/icons/hicolor/48x48/apps/$id.png
  usr/share/icons/hicolor/128x128/apps/$id.png
  usr/share/icons/hicolor/256x256/apps/$id.png
  usr/share/icons/hicolor/scalable/apps/$id.svg
  usr/share/man/man1/wayrunner-track.1.gz
  usr/share/metainfo/$id.metainfo.xml
  usr/share/wayrunner-track/Settings.ini
  usr/share/doc/wayrunner-track/examples/simulated-unit-1.004.fw
)
if [ "$have_cli" = 1 ]; then
  expected+=(
    usr/bin/wayrunner-cli
    usr/share/bash-completion/completions/wayrunner-cli
    usr/share/man/man1/wayrunner-cli.1.gz
  )
  schemas=(control error list profile-diff profile-save provision send settings settings-write
           status trips trips-export upgrade)
  for schema in "${schemas[@]}"; do
    expected+=(usr/share/wayrunner-track/schemas/$schema.schema.json)
  done
fi
if [ "$debian_docs" = 1 ]; then
  expected+=(usr/share/doc/wayrunner-track/copyright usr/share/doc/wayrunner-track/changelog.gz)
fi
actual=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort)
want=$(printf '%s\n' "${expected[@]}" | sort)
if [ "$actual" != "$want" ]; then
  fail "installed files differ from the expected list (< expected, > installed):"
  diff <(echo "$want") <(echo "$actual") | grep '^[<>]'
fi

# ---- the programs answer without a display
track=$root/usr/bin/wayrunner-track
headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }
out=$(headless "$track" --version 2>&1); rc=$?
[ "$rc" = 0 ] && [ "$out" = "wayrunner-track $version" ] ||
  fail "wayrunner-track --version: exit $rc, printed '$out', want 'wayrunner-track $version'"
help=$(headless "$track" --help 2>&1); rc=$?
[ "$rc" = 0 ] && grep -q -- '--simulate' <<<"$help" || fail "wayrunner-track --help: exit $rc: $help"
for wrong in --no-such-option stray-argument; do
  out=$(headless "$track" "$wrong" 2>&1 >/dev/null); rc=$?
  [ "$rc" = 2 ] && grep -q 'Usage:' <<<"$out" ||
    fail "wayrunner-track $wrong: exit $rc (want 2 with the usage on stderr): $out"
done
if [ "$have_cli" = 1 ]; then
  cli=$root/usr/bin/wayrunner-cli
  out=$(headless "$cli" --version 2>&1); rc=$?
  [ "$rc" = 0 ] && grep -qF "$version" <<<"$out" || fail "wayrunner-cli --version: exit $rc: $out"
  # The example upgrade file takes on the simulated unit.
  out=$(WAYRUNNER_DATA_DIR=$root headless "$cli" -q --simulate upgrade --yes \
        "$root/usr/share/doc/wayrunner-track/examples/simulated-unit-1.004.fw" 2>&1); rc=$?
  [ "$rc" = 0 ] && grep -qF "1.004" <<<"$out" ||
    fail "the example upgrade file on the simulated unit: exit $rc: $out"
  # The manual page goes beyond the --help text.
  cli_man=$(gzip -dc "$root/usr/share/man/man1/wayrunner-cli.1.gz")
  for section in DESCRIPTION COMMANDS "EXIT STATUS" ENVIRONMENT FILES EXAMPLES; do
    grep -qE "^\.SH \"?$section\"?\$" <<<"$cli_man" || fail "wayrunner-cli.1 has no $section section"
  done
  grep -qF 'provision fleet.ini' <<<"$cli_man" || fail "wayrunner-cli.1 lacks the provisioning example"
fi

# ---- the udev rule grants both identifier pairs to the user at the desktop
rule=$root/usr/lib/udev/rules.d/60-wayrunner-track.rules
for pair in 16d0:06af eb03:0920; do
  vendor=${pair%:*} product=${pair#*:}
  grep -E "^SUBSYSTEM==\"usb\", .*ATTRS\{idVendor\}==\"$vendor\", ATTRS\{idProduct\}==\"$product\", .*TAG\+=\"uaccess\"" \
    "$rule" >/dev/null || fail "udev rule lacks $pair with TAG+=\"uaccess\""
done
[ "$(grep -vc -e '^#' -e '^$' "$rule")" = 2 ] || fail "udev rule holds other lines: $(cat "$rule")"

# ---- the metainfo announces the identifiers, this release and its launcher
meta=$root/usr/share/metainfo/$id.metainfo.xml
for alias in usb:v16D0p06AF usb:vEB03p0920; do
  grep -qF "<modalias>$alias*</modalias>" "$meta" || fail "metainfo lacks modalias $alias*"
done
grep -qF "<release version=\"$version\"" "$meta" || fail "metainfo lacks the release $version"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta" ||
  fail "metainfo does not launch $id.desktop"
grep -qF "%MODALIAS" "$meta" && fail "metainfo still holds the placeholder"

# ---- the desktop entry starts the installed program with the installed icon
desktop=$root/usr/share/applications/$id.desktop
exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/usr/bin/$exec_cmd" ] || fail "desktop entry runs '$exec_cmd', not an installed program"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry's icon is not $id"

# ---- each PNG icon has the size of its folder
for size in 48 128 256; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
  # Width and height are the big-endian words at bytes 16 and 20.
  dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || fail "$size px icon is $dims"
done

# ---- the man page and the completion know every option the help lists
options=$(grep -oE -- '--[a-z][a-z-]+' <<<"$help" | sort -u)
man=$(gzip -dc "$root/usr/share/man/man1/wayrunner-track.1.gz" | sed 's/\\-/-/g')
completion=$(cat "$root/usr/share/bash-completion/completions/wayrunner-track")
for option in $options; do
  grep -qF -- "$option" <<<"$man" || fail "man page does not describe $option"
  grep -qF -- "$option" <<<"$completion" || fail "bash completion does not offer $option"
done

# ---- the JSON Schemas are JSON, and the tool's manual page names each
if [ "$have_cli" = 1 ]; then
  cli_man=$(gzip -dc "$root/usr/share/man/man1/wayrunner-cli.1.gz" 2>/dev/null | sed 's/\\-/-/g')
  grep -qF "/usr/share/wayrunner-track/schemas/" <<<"$cli_man" ||
    fail "wayrunner-cli's man page does not say where the JSON Schemas are"
  for schema in "${schemas[@]}"; do
    file=$root/usr/share/wayrunner-track/schemas/$schema.schema.json
    python3 -c 'import json,sys; json.load(open(sys.argv[1]))' "$file" 2>/dev/null ||
      fail "$schema.schema.json is not JSON"
    grep -qF "$schema.schema.json" <<<"$cli_man" || fail "wayrunner-cli's man page does not describe $schema.schema.json"
  done
fi

cmp -s "$root/usr/share/wayrunner-track/Settings.ini" "$source/packaging/Settings.ini" ||
  fail "installed Settings.ini differs from packaging/Settings.ini"

if [ "$failures" != 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "install tree: $(wc -l <<<"$actual") files, all checks passed"
