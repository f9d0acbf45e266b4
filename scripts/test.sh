#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The whole test suite: the licence and copyright of every file (reuse
# lint), the ordinary build, then everything again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the programs whose
# code runs on several threads under ThreadSanitizer, then the core's tests
# built for Windows and run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
echo "== licences"
reuse lint -q || { reuse lint; exit 1; }
run() {
  local preset=$1
  shift
  echo "== $preset build"
  scripts/build.sh "$preset" "$@"
  echo "== $preset tests"
  ctest --preset "$preset" -j2 --timeout 300
}
run default
run asan
# Only what the "threads" label selects is built and run.
run tsan --target tests_core tests_link tests_session
echo "== windows tests under Wine"
scripts/windows_tests.sh
