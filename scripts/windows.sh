#!/usr/bin/env bash
# Cross-builds the core, dalvex-cli and their tests for 64-bit Windows with mingw-w64 (GoogleTest from
# Debian's sources with the same toolchain), runs the tests under wine, and checks that dalvex-cli.exe writes
# the same bytes as the Linux build for a sketch file of every profile system. Headless: console programs
# need no display. The desktop program is not built here (no Qt for Windows in CI); docs/windows.md has its
# recipe, and the check below keeps it free of platform calls outside Qt.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup.sh g++-mingw-w64-x86-64-posix wine64 wine googletest tcl

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

# SQLite for mingw (the order journal): the static library of ../shared/toolchains when it is there, else
# built here from the amalgamation that Debian's sqlite3 source package makes, with the same options.
provide_sqlite() {
  local dir="$build/sqlite-mingw"
  [ -f "$dir/lib/libsqlite3.a" ] && return
  local archive="$root/../shared/toolchains/sqlite3.40.1-mingw64-static.tar.xz"
  if [ -f "$archive" ]; then
    tar xJf "$archive" -C "$build"
    return
  fi
  echo "Building SQLite for mingw from Debian's sqlite3 source package"
  local src="$build/sqlite-src"
  mkdir -p "$src"
  if ! ls "$src"/sqlite3_*.orig.tar.* >/dev/null 2>&1; then
    # apt-get source needs source lines beside the system's binary ones.
    if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
      sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
        >/etc/apt/sources.list.d/dalvex-deb-src.sources
      apt-get update -qq
    fi
    (cd "$src" && apt-get source --download-only -qq sqlite3 >/dev/null)
  fi
  tar xf "$src"/sqlite3_*.orig.tar.* -C "$src"
  mkdir -p "$src/amalgamation" "$dir/include" "$dir/lib"
  (cd "$src/amalgamation" && "$(ls -d "$src"/sqlite3-*/ | head -1)configure" >/dev/null && make sqlite3.c >/dev/null)
  x86_64-w64-mingw32-gcc-posix -O2 -DSQLITE_ENABLE_FTS5 -DSQLITE_THREADSAFE=1 -DSQLITE_DQS=0 \
    -c "$src/amalgamation/sqlite3.c" -o "$src/sqlite3.o"
  x86_64-w64-mingw32-ar rcs "$dir/lib/libsqlite3.a" "$src/sqlite3.o"
  cp "$src/amalgamation/sqlite3.h" "$dir/include/"
}
provide_sqlite

echo "Cross-building the core, dalvex-cli and the tests for Windows"
cmake -S . -B "$build/main" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DDALVEX_WERROR=ON -DDALVEX_BUILD_UI=OFF -DDALVEX_BUILD_BENCH=OFF -DCMAKE_PREFIX_PATH="$build/gtest-install" \
  -DSQLite3_INCLUDE_DIR="$build/sqlite-mingw/include" -DSQLite3_LIBRARY="$build/sqlite-mingw/lib/libsqlite3.a" \
  "${launcher[@]}" >/dev/null
cmake --build "$build/main" -j"$jobs" --target dalvex-cli dalvex_core_tests dalvex_cli_tests dalvex_journal_tests dalvex_data \
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
run_tests dalvex_journal_tests

# The Linux dalvex-cli, built by scripts/build.sh into build/bin; built here when missing.
linux_cli="$root/build/bin/dalvex-cli"
if [ ! -x "$linux_cli" ] || [ ! -x "$root/build/bin/make_sample_sketches" ]; then
  [ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDALVEX_WERROR=ON \
    "${launcher[@]}" >/dev/null
  cmake --build build -j"$jobs" --target dalvex-cli make_sample_sketches dalvex_data >/dev/null
fi
scripts/same_bytes.sh "$linux_cli" "$bin/dalvex-cli.exe"
wineserver -k || true
