#!/usr/bin/env bash
# The web page's tests: the site dalvex-cli writes, served on the loopback address, in Debian's Chromium
# (headless) driven by playwright-core (tests/web, installed from its lock file), against dalvex-cli. Uses the
# build of scripts/build.sh, which makes the page's module when emscripten is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
[ -f build/bin/web/dalvex.wasm ] || { echo "build/bin/web/dalvex.wasm is missing: run scripts/build.sh"; exit 1; }
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
node --test tests/web/page.test.mjs
