#!/usr/bin/env bash
# Builds the tool and starts it; pass --simulate to use the built-in simulated unit.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh default --target wayrunner-track
exec build/default/wayrunner-track "$@"
