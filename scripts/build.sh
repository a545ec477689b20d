#!/usr/bin/env bash
# Configures and builds the project into build/ (Release with debug info, warnings as errors).
set -euo pipefail
cd "$(dirname "$0")/.."
"$(dirname "$0")/setup.sh"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDALVEX_WERROR=ON >/dev/null
cmake --build build
