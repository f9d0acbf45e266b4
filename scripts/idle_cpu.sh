#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Idle cost: the tool connected to the simulated unit at the default polling
# rate, its user+system CPU time from /proc over 30 s, as a share of one core;
# once with the main window alone, once with the status history window open
# beside it as well.
#   scripts/idle_cpu.sh [path to wayrunner-track]
# IDLE_SETTLE_S sets the seconds from start to measurement (default 5); 620
# measures the history window with its ten-minute view full.
set -euo pipefail
cd "$(dirname "$0")/.."
tool="${1:-build/default/wayrunner-track}"
[[ -x "$tool" ]] || scripts/build.sh default --target wayrunner-track
hz=$(getconf CLK_TCK)
settle="${IDLE_SETTLE_S:-5}"

# measure <label> [tool options...]
measure() {
  local label=$1
  shift
  local pidfile
  pidfile=$(mktemp)
  # The shell records its own process id and then becomes the tool. A copy of
  # its own, so that a copy already running is not the one measured.
  xvfb-run -a sh -c 'echo $$ >"$0"; exec "$@"' "$pidfile" \
    "$tool" --simulate --new-instance "$@" >/dev/null 2>&1 &
  local wrapper=$!
  sleep "$settle"  # connected and the first answers in
  local pid
  pid=$(cat "$pidfile")
  rm -f "$pidfile"
  local before after
  before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep 30
  after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  echo "$label: CPU over 30 s: $((after - before)) ticks at $hz Hz =" \
       "$(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "%.2f", 100 * t / hz / 30 }') % of one core;" \
       "$(grep VmRSS "/proc/$pid/status" | tr -s ' \t' ' ')"
  kill "$pid" 2>/dev/null || true
  wait "$wrapper" 2>/dev/null || true
}

measure "main window"
measure "with the status history window" --show-history
