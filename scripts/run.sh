#!/usr/bin/env bash
# Builds the project and starts the desktop program with the sample data beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
exec build/bin/dalvex "$@"
