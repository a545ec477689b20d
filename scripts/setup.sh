#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when they are missing; packages
# given as arguments (another script's own needs) are installed with them. libpq-dev builds the journal's
# server back end; postgresql gives the server programs the tests start a throwaway server with
# (scripts/pg_test_server.sh). emscripten builds the web page's module, libstb-dev makes the site's pictures,
# chromium runs the page's tests (scripts/web_test.sh); poppler-utils reads the printed pages back as text for
# the print tests.
set -euo pipefail
packages=("$@" cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libsqlite3-dev
          libpq-dev postgresql emscripten libstb-dev chromium
          qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl1-mesa-dev fonts-liberation
          libxml2-utils xvfb xauth desktop-file-utils appstream poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
