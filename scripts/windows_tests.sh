#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the core's test programs for Windows (preset "windows", mingw-w64)
# and runs them under Wine without a display: tests_core and the fuzz seed
# replays. Exits non-zero when a program fails.
#
# Installs what it needs first. Wine is kept out of scripts/setup.sh: it
# adds about 700 MB, which the ordinary build and tests do not need.
# WR_SKIP_INSTALL=1 skips the package check.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${WR_SKIP_INSTALL:-0}" != 1 ]; then
  scripts/setup.sh googletest wine wine64
fi

build=build/windows
start=$SECONDS
echo "== windows build"
nice -n 10 scripts/build.sh windows -j2
echo "build: $((SECONDS - start)) s"

# A Wine configuration of its own for every run, thrown away with the build
# folder. No display: the programs are console programs, and the Mono and
# Gecko installers (which would ask through a window) are switched off.
export WINEPREFIX="$PWD/$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
rm -rf "$WINEPREFIX"
start=$SECONDS
wineboot --init >/dev/null 2>&1
# Ends this configuration's Wine server, started by the first program.
trap 'wineserver -k 2>/dev/null || true' EXIT
echo "Wine prefix ready: $((SECONDS - start)) s ($(wine --version))"

passed=0 failed=0 skipped=0
log="$build/windows_tests.log"
: >"$log"

# Runs one program, keeps its whole output in the log and shows the summary.
run_gtest() {
  local program=$1
  shift
  echo "== wine $program $*"
  local out
  out=$(mktemp)
  local code=0
  wine "$program" "$@" >"$out" 2>&1 || code=$?
  cat "$out" >>"$log"
  # What ran, every failed or skipped test with its messages, and the summary.
  awk '/^\[==========\] Running/ { print; next }
       /^\[ RUN      \]/ { test = $0 "\n"; inside = 1; next }
       inside && /^\[       OK \]/ { inside = 0; next }
       inside && /^\[  (FAILED  |SKIPPED )\]/ { printf "%s%s\n", test, $0; inside = 0; next }
       inside { test = test $0 "\n"; next }
       /^\[==========\] .* ran\./ { summary = 1 }
       summary { print }' "$out"
  local p s f
  p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$out" | tail -1)
  s=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?, listed below:.*/\1/p' "$out" | tail -1)
  f=$(sed -n 's/^ *\([0-9]*\) FAILED TESTS\?.*/\1/p' "$out" | tail -1)
  rm -f "$out"
  passed=$((passed + ${p:-0}))
  skipped=$((skipped + ${s:-0}))
  failed=$((failed + ${f:-0}))
  if [ "$code" -ne 0 ] && [ "${f:-0}" -eq 0 ]; then
    echo "exit code $code"
    failed=$((failed + 1))
  fi
}

# A seed replay passes when it exits 0 after reading its corpus.
run_replay() {
  local program=$1 corpus=$2
  echo "== wine $program $corpus"
  local code=0
  wine "$program" "$(winepath -w "$corpus")" >>"$log" 2>&1 || code=$?
  tail -1 "$log"
  if [ "$code" -eq 0 ]; then passed=$((passed + 1)); else echo "exit code $code"; failed=$((failed + 1)); fi
}

start=$SECONDS
run_gtest "$build/tests/tests_core.exe"
for program in "$build"/fuzz/fuzz_*.exe; do
  name=$(basename "$program" .exe)
  run_replay "$program" "fuzz/corpus/$name"
done
echo "tests: $((SECONDS - start)) s; whole output in $log"
echo "Windows: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
