#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Configures and builds one preset (default: "default").
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
shift || true
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Paths relative to the checkout, so that another clone of the project finds
# what this one compiled in the compiler cache.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake --preset "$preset" "${launcher[@]}" >/dev/null
cmake --build --preset "$preset" "$@"
