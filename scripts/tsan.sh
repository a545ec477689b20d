#!/usr/bin/env bash
# Builds dalvex-cli with ThreadSanitizer and prices the sample sketches, each several times over, on four
# threads that share one catalogue, as they are and edited by a script on every thread. Any race the
# sanitizer sees fails the run, and so does a result that differs from the one a single thread gives.
set -euo pipefail
cd "$(dirname "$0")/.."
"$(dirname "$0")/setup.sh"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDALVEX_WERROR=ON \
  -DDALVEX_SANITIZE_THREADS=ON -DDALVEX_BUILD_UI=OFF -DDALVEX_BUILD_BENCH=OFF >/dev/null
cmake --build build-tsan -j"${DALVEX_JOBS:-2}" --target dalvex-cli make_sample_sketches dalvex_data >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build-tsan/bin/make_sample_sketches "$work" >/dev/null
files=()
for round in 1 2 3 4 5 6; do
  files+=("$work"/*.dlx)
done
cat >"$work/script.json" <<'JSON'
[{"op":"split","door":0,"insert":1,"position":9000,"vertical":false},{"op":"toggleOption"},
 {"op":"doors","count":2},{"op":"barLength","choice":2},{"op":"undo"},{"op":"redo"}]
JSON
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1"
for extra in "" "--script $work/script.json"; do
  # shellcheck disable=SC2086 # the script option is two words
  build-tsan/bin/dalvex-cli calc --jobs 4 $extra "${files[@]}" >"$work/many.json" 2>"$work/many.err" || [ $? -eq 4 ]
  # shellcheck disable=SC2086
  build-tsan/bin/dalvex-cli calc --jobs 1 $extra "${files[@]}" >"$work/one.json" 2>/dev/null || [ $? -eq 4 ]
  if grep -q "ThreadSanitizer" "$work/many.err"; then
    cat "$work/many.err"
    exit 1
  fi
  cmp -s "$work/many.json" "$work/one.json" || { echo "four threads priced otherwise than one"; exit 1; }
done
echo "ThreadSanitizer: ${#files[@]} orders on four threads, twice, without a race"
