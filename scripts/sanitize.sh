#!/usr/bin/env bash
# Builds the core and its tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
"$(dirname "$0")/setup.sh"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDALVEX_WERROR=ON -DDALVEX_SANITIZE=ON \
  -DDALVEX_BUILD_UI=OFF -DDALVEX_BUILD_BENCH=OFF -DDALVEX_BUILD_WEB=OFF >/dev/null
cmake --build build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The kill tests are left to the normal build: they kill programs at random instants hundreds of times, which
# tells nothing more under the sanitizers and takes most of their run.
ctest --test-dir build-asan --output-on-failure -j2 -E JournalKills
