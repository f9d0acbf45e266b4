#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the tool, the command-line tool wayrunner-cli and what
# `cmake --install build/default` installs, then starts the tool; pass
# --simulate to use the built-in simulated unit.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh default --target installable
exec build/default/wayrunner-track "$@"
