#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Wall time of wayrunner-cli against its simulated units, median of 10 runs
# each (hyperfine): status from start to exit, and provisioning three units
# side by side against one.
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${1:-build/default/wayrunner-cli}"
command -v hyperfine >/dev/null || scripts/setup.sh
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
printf '[settings]\napn = fleet\ntrip_stop_minutes = 6\n' >"$tmp/fleet.ini"
export WAYRUNNER_DATA_DIR="$tmp"

hyperfine --runs 10 --warmup 1 --export-json "$tmp/status.json" \
  "$cli --simulate status"
hyperfine --runs 10 --warmup 1 --export-json "$tmp/provision.json" \
  "$cli --simulate=1 -q provision $tmp/fleet.ini --count 1" \
  "$cli --simulate=3 -q provision $tmp/fleet.ini --count 3"

python3 - "$tmp/status.json" "$tmp/provision.json" <<'PY'
import json, sys
status = json.load(open(sys.argv[1]))["results"][0]
one, three = json.load(open(sys.argv[2]))["results"]
print(f"status: median {status['median']:.3f} s (aim at most 0.12 s)")
print(f"provision: 1 unit {one['median']:.3f} s (aim at most 0.5 s), 3 units {three['median']:.3f} s, "
      f"ratio {three['median'] / one['median']:.2f} (aim at most 1.5)")
PY
