#!/usr/bin/env bash
# Builds the project and runs every test (core, command line, desktop program offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2
