#!/usr/bin/env bash
# Builds the project and starts the desktop program with the sample data beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
if [ -x build/bin/dalvex ]; then exec build/bin/dalvex "$@"; fi
echo "The desktop program is not built (Qt 6 missing?); showing the default project from dalvex-cli instead."
exec build/bin/dalvex-cli calc "$@"
