#!/usr/bin/env bash
# Cross-builds the core, dalvex-cli and their tests for 64-bit Windows with mingw-w64 (GoogleTest from
# Debian's sources with the same toolchain), runs the tests under wine, and checks that dalvex-cli.exe writes
# the same bytes as the Linux build for a sketch file of every profile system. Headless: console programs
# need no display. The desktop program is not built here (no Qt for Windows in CI); docs/windows.md has its
# recipe, and the check below keeps it free of platform calls outside Qt.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup.sh g++-mingw-w64-x86-64-posix wine64 wine googletest

scripts/check_ui_platform.sh

build="$root/build-win"
toolchain="$root/cmake/mingw-w64.cmake"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR="$root"
jobs="${DALVEX_JOBS:-2}"

if [ ! -f "$build/gtest-install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "Cross-building GoogleTest from /usr/src/googletest"
  cmake -S /usr/src/googletest -B "$build/gtest" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$build/gtest-install" -DBUILD_GMOCK=OFF \
    -Dgtest_force_shared_crt=ON "${launcher[@]}" >/dev/null
  cmake --build "$build/gtest" -j"$jobs" >/dev/null
  cmake --install "$build/gtest" >/dev/null
fi

echo "Cross-building the core, dalvex-cli and the tests for Windows"
cmake -S . -B "$build/main" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DDALVEX_WERROR=ON -DDALVEX_BUILD_UI=OFF -DDALVEX_BUILD_BENCH=OFF -DCMAKE_PREFIX_PATH="$build/gtest-install" \
  "${launcher[@]}" >/dev/null
cmake --build "$build/main" -j"$jobs" --target dalvex-cli dalvex_core_tests dalvex_cli_tests dalvex_data \
  >"$build/build.log" 2>&1 || { grep -A20 -E "FAILED|error" "$build/build.log" | head -80; exit 1; }

# A wine prefix of our own, made once; no display and no wine chatter.
export WINEDEBUG=-all WINEPREFIX="$build/wineprefix" WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the wine prefix"
  wine wineboot --init >/dev/null 2>&1 || true
  wineserver -w
fi

bin="$build/main/bin"
# Runs a test binary under wine; prints its summary and the number of tests that passed.
run_tests() {
  local name=$1 log="$build/$1.log"
  if ! (cd "$bin" && wine "./$name.exe" --gtest_brief=1 >"$log" 2>&1); then
    tail -60 "$log"
    echo "$name failed under wine"
    exit 1
  fi
  # The last summary is the binary's own (a test may start the binary again for a process of its own).
  passed=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$log" | tail -1)
  skipped=$(sed -nE 's/^\[  SKIPPED \] ([0-9]+) tests?.*/\1/p' "$log" | tail -1)
  echo "$name under wine: ${passed:-0} tests passed, ${skipped:-0} skipped"
}
run_tests dalvex_core_tests
run_tests dalvex_cli_tests

# The Linux dalvex-cli, built by scripts/build.sh into build/bin; built here when missing.
linux_cli="$root/build/bin/dalvex-cli"
if [ ! -x "$linux_cli" ] || [ ! -x "$root/build/bin/make_sample_sketches" ]; then
  [ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDALVEX_WERROR=ON \
    "${launcher[@]}" >/dev/null
  cmake --build build -j"$jobs" --target dalvex-cli make_sample_sketches dalvex_data >/dev/null
fi
scripts/same_bytes.sh "$linux_cli" "$bin/dalvex-cli.exe"
wineserver -k || true
