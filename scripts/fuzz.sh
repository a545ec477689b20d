#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short, bounded time on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
"$(dirname "$0")/setup.sh"
seconds="${1:-20}"
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDALVEX_BUILD_FUZZ=ON \
  -DDALVEX_BUILD_UI=OFF -DDALVEX_BUILD_TESTS=OFF -DDALVEX_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz
for target in build-fuzz/bin/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="tests/fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  echo "Fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=65536 "$work" >"$work.log" 2>&1 || { tail -50 "$work.log"; exit 1; }
  rm -rf "$work" "$work.log"
done
