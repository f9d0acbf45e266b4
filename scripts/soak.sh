#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The soak runs (long; not part of the test run): one million reply lines
# through the real link and dispatcher, then the tool left connected for ten
# minutes at the 1000 ms polling interval. Prints the resident size figures.
#   scripts/soak.sh [line count] [seconds connected]
set -euo pipefail
cd "$(dirname "$0")/.."
lines="${1:-1000000}"
seconds="${2:-600}"
build=build/soak
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWR_BUILD_TESTS=OFF \
  -DWR_BUILD_SOAK=ON "${launcher[@]}" >/dev/null
cmake --build "$build" --target wr_soak -j2
export QT_QPA_PLATFORM=offscreen
status=0
"$build/soak/wr_soak" lines "$lines" || status=1
"$build/soak/wr_soak" connected "$seconds" || status=1
exit $status
