#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the fuzz preset and runs the libFuzzer targets one after another.
#   scripts/fuzz.sh                 every target, ten million executions each
#   scripts/fuzz.sh TARGET [RUNS]   one target (e.g. fuzz_line_queue)
# WR_FUZZ_SECONDS caps each target's time (default: no cap).
# New inputs go to build-fuzz/work/<target>/, never into the committed seeds;
# a crash leaves its input in build-fuzz/findings/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${WR_FUZZ_BUILD:-$root/build-fuzz}"
runs="${2:-10000000}"

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j2

if [[ $# -ge 1 ]]; then
  targets=("$1")
else
  targets=()
  for src in "$root"/fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi

export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export ASAN_OPTIONS="detect_leaks=1"
mkdir -p "$build/findings"
status=0
for t in "${targets[@]}"; do
  # Inputs that make the line queue scan whole kilobytes cost milliseconds
  # each; a cap keeps it near the others' pace (the ring still wraps, since
  # the queue carries over between inputs).
  maxlen=()
  [[ "$t" == fuzz_line_queue ]] && maxlen=(-max_len=512)
  # Every lookup is checked against a walk through all places, so a large
  # file costs the square of its length; a kilobyte still holds dozens of
  # places, enough for the store's search band.
  [[ "$t" == fuzz_place_store ]] && maxlen=(-max_len=1024)
  mkdir -p "$build/work/$t"
  start=$(date +%s)
  limit=()
  [[ -n "${WR_FUZZ_SECONDS:-}" ]] && limit=(-max_total_time="$WR_FUZZ_SECONDS")
  if "$build/fuzz/$t" -runs="$runs" "${limit[@]}" "${maxlen[@]}" -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$build/findings/$t-" \
       "$build/work/$t" "$root/fuzz/corpus/$t" >"$build/work/$t.log" 2>&1; then
    result="no finding"
  else
    result="FINDING (see $build/work/$t.log)"
    status=1
  fi
  execs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$build/work/$t.log" | grep -Eo '[0-9]+$' || echo "?")
  echo "$t: $execs executions in $(( $(date +%s) - start )) s, $result"
done
exit $status
