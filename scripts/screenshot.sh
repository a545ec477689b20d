#!/usr/bin/env bash
# Builds the desktop program, starts it under a virtual X server and saves a picture of the main window to
# docs/main-window.png (or the file given as the first argument). Prints the start-up time as well.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/main-window.png}"
build="${DALVEX_BUILD_DIR:-build}"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DDALVEX_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j2 --target dalvex-screenshot >/dev/null
mkdir -p "$(dirname "$out")"
abs_out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"
timeout 60 xvfb-run -a -s "-screen 0 1366x860x24" "$build/bin/dalvex-screenshot" "$abs_out" "${2:-0}"
echo "Saved $out"
