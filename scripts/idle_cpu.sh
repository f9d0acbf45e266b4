#!/usr/bin/env bash
# Idle cost: the tool connected to the simulated unit at the default polling
# rate, its user+system CPU time from /proc over 30 s, as a share of one core.
#   scripts/idle_cpu.sh [path to wayrunner-track]
set -euo pipefail
cd "$(dirname "$0")/.."
tool="${1:-build/default/wayrunner-track}"
[[ -x "$tool" ]] || scripts/build.sh default --target wayrunner-track
xvfb-run -a "$tool" --simulate >/dev/null 2>&1 &
wrapper=$!
sleep 5  # connected and the first answers in
pid=$(pgrep -n -f "wayrunner-track --simulate")
before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
sleep 30
after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
hz=$(getconf CLK_TCK)
echo "CPU over 30 s: $((after - before)) ticks at $hz Hz =" \
     "$(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "%.2f", 100 * t / hz / 30 }') % of one core"
grep VmRSS "/proc/$pid/status"
kill "$pid" 2>/dev/null || true
wait "$wrapper" 2>/dev/null || true
