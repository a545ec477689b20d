#!/usr/bin/env bash
# Cross-builds Dalvex for 64-bit Windows with mingw-w64 and checks it under wine, headless: the core, the order
# journal, dalvex-cli and the desktop program (statically linked against a static Qt and SQLite), their tests
# (GoogleTest from Debian's sources, the desktop's Qt Test suite on the offscreen platform), the same bytes
# from the Windows and the Linux programs for a sketch file of every profile system, and the setup program,
# installed silently, started, and uninstalled (scripts/windows_install_test.sh). Leaves
# build-win/dalvex-setup-VERSION.exe.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup.sh g++-mingw-w64-x86-64-posix wine64 wine googletest nsis

scripts/check_ui_platform.sh

build="$root/build-win"
toolchain="$root/cmake/mingw-w64.cmake"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR="$root"
jobs="${DALVEX_JOBS:-2}"
# The prebuilt Windows libraries (see docs/windows.md); without them they are built from Debian's sources.
toolchains="${DALVEX_TOOLCHAINS:-$root/../shared/toolchains}"

# A static library for mingw-w64 in $build/toolchain/FOLDER: the prebuilt archive, checked and unpacked, when it
# is there, else built by scripts/windows_from_source.sh (Qt about an hour, once).
provide() { # part (qt, sqlite), archive, folder, a file the folder holds when it is complete
  local part=$1 archive="$toolchains/$2" folder="$build/toolchain/$3"
  [ -f "$folder/$4" ] && return
  mkdir -p "$build/toolchain"
  if [ -f "$archive" ]; then
    echo "Unpacking $part for Windows from $archive"
    (cd "$toolchains" && grep " $2\$" SHA256SUMS | sha256sum --check --quiet)
    tar xJf "$archive" -C "$build/toolchain"
  else
    echo "No prebuilt $part for Windows in $toolchains: building it from Debian's sources"
    scripts/windows_from_source.sh "$build/toolchain" "$part"
  fi
}
# Qt from Debian's sources takes about an hour, more than a CI run may: CI (DALVEX_CI set) without the prebuilt
# archive checks the core, the journal and dalvex-cli on Windows, and says what it left out.
desktop=yes
if [ -n "${DALVEX_CI:-}" ] && [ ! -f "$toolchains/qt6.4.2-mingw64-static.tar.xz" ] \
   && [ ! -f "$build/toolchain/qt6-mingw/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  desktop=no
  echo "No prebuilt Qt for Windows in $toolchains: the desktop program, its tests under wine and the setup" \
       "program are left to scripts/windows.sh run by itself (it builds Qt from Debian's sources, about an hour)"
fi
[ "$desktop" = yes ] && provide qt qt6.4.2-mingw64-static.tar.xz qt6-mingw lib/cmake/Qt6/Qt6Config.cmake
provide sqlite sqlite3.40.1-mingw64-static.tar.xz sqlite-mingw lib/libsqlite3.a
qt="$build/toolchain/qt6-mingw"
sqlite="$build/toolchain/sqlite-mingw"

if [ ! -f "$build/gtest-install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "Cross-building GoogleTest from /usr/src/googletest"
  cmake -S /usr/src/googletest -B "$build/gtest" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$build/gtest-install" -DBUILD_GMOCK=OFF \
    -Dgtest_force_shared_crt=ON "${launcher[@]}" >/dev/null
  cmake --build "$build/gtest" -j"$jobs" >/dev/null
  cmake --install "$build/gtest" >/dev/null
fi

ui_tests=()
desktop_options=(-DDALVEX_BUILD_UI=OFF)
desktop_targets=()
if [ "$desktop" = yes ]; then
  for test in tests/ui/*_test.cpp; do ui_tests+=("$(basename "$test" .cpp)"); done
  desktop_options=(-DDALVEX_BUILD_UI=ON -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
  desktop_targets=(dalvex desktop_writer "${ui_tests[@]}")
fi
echo "Cross-building the core, the journal, dalvex-cli${desktop_targets:+, the desktop program} and the tests for Windows"
# Qt's build tools (moc, rcc, uic) are the build machine's own, from Debian's qt6-base-dev-tools. The journal
# is SQLite's alone: there is no libpq for Windows here.
cmake -S . -B "$build/main" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DDALVEX_WERROR=ON -DDALVEX_BUILD_BENCH=OFF -DCMAKE_PREFIX_PATH="$build/gtest-install;$qt" "${desktop_options[@]}" \
  -DSQLite3_INCLUDE_DIR="$sqlite/include" -DSQLite3_LIBRARY="$sqlite/lib/libsqlite3.a" -DDALVEX_JOURNAL_SERVER=OFF \
  "${launcher[@]}" >/dev/null
cmake --build "$build/main" -j"$jobs" --target dalvex-cli dalvex_core_tests dalvex_cli_tests \
  dalvex_journal_tests dalvex_data "${desktop_targets[@]}" >"$build/build.log" 2>&1 \
  || { grep -A20 -E "FAILED|error" "$build/build.log" | head -80; exit 1; }

# A wine prefix of our own, made once; no display and no wine chatter.
export WINEDEBUG=-all WINEPREFIX="$build/wineprefix" WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the wine prefix"
  wine wineboot --init >/dev/null 2>&1 || true
  wineserver -w
fi
# Qt's offscreen platform on Windows reads the fonts of one folder (QT_QPA_FONTDIR) and nothing else: Liberation
# Sans, the metrics of the Arial the program asks for, as the Linux tests see it through fontconfig. Wine keeps
# the shell's QT_ variables from Windows programs, so the variable is the prefix's own.
mkdir -p "$build/fonts"
cp /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf "$build/fonts/"
wine reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /t REG_SZ /d "$(winepath -w "$build/fonts")" /f >/dev/null
wineserver -w

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
# The Linux programs, built by scripts/build.sh into build/bin; built here when missing.
linux="$root/build/bin"
linux_build() { # targets...
  [ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDALVEX_WERROR=ON \
    "${launcher[@]}" >/dev/null
  cmake --build build -j"$jobs" --target "$@" >/dev/null
}
# The web page and its module are the same files on every system: the Linux build's (emscripten's), beside
# the Windows programs as the setup program puts them.
[ -f "$linux/web/dalvex.wasm" ] || linux_build dalvex_web
rm -rf "$bin/web"
cp -r "$linux/web" "$bin/web"

run_tests dalvex_core_tests
run_tests dalvex_cli_tests
run_tests dalvex_journal_tests

# The desktop program's Qt Test suite, two binaries at a time, on the offscreen platform (named on the command
# line: QT_QPA_PLATFORM does not reach a program under wine; a test without a GUI application takes no
# platform). Qt Test's report goes to a file: a program under wine does not show it on standard output.
run_ui_test() {
  local name=$1 log="$build/ui-tests/$1.txt" platform=(-platform offscreen)
  grep -qE 'QTEST_(GUILESS|APPLESS)_MAIN' "$root/tests/ui/$name.cpp" && platform=()
  if (cd "$bin" && wine "./$name.exe" "${platform[@]}" -o "$(winepath -w "$log")",txt >/dev/null 2>&1); then
    echo "$name: $(grep -E '^Totals:' "$log" | tail -1)"
  else
    echo "$name: FAILED under wine"
    grep -E -A2 '^(FAIL!|QFATAL)' "$log" | head -40
    return 1
  fi
}
export -f run_ui_test
export build bin root
if [ "$desktop" = yes ]; then
  mkdir -p "$build/ui-tests"
  echo "The desktop program's tests under wine:"
  printf '%s\n' "${ui_tests[@]}" | xargs -P 2 -I{} bash -c 'run_ui_test {}' \
    || { echo "desktop tests failed under wine (logs in $build/ui-tests)"; exit 1; }
fi

if [ ! -x "$linux/dalvex-cli" ] || [ ! -x "$linux/make_sample_sketches" ] || [ ! -x "$linux/desktop_writer" ]; then
  linux_build dalvex-cli make_sample_sketches desktop_writer dalvex_data
fi
if [ "$desktop" = no ]; then
  scripts/same_bytes.sh "$linux/dalvex-cli" "$bin/dalvex-cli.exe"
  wineserver -k || true
  exit 0
fi
scripts/same_bytes.sh "$linux/dalvex-cli" "$bin/dalvex-cli.exe" "$linux/desktop_writer" "$bin/desktop_writer.exe"

# The setup program, from what `cmake --install` puts into a folder: bin\ and share\dalvex\.
version=$(sed -nE 's/^project\(dalvex VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
stage="$build/stage"
rm -rf "$stage"
cmake --install "$build/main" --prefix "$stage" --strip >/dev/null
cp -r "$bin/web" "$stage/bin/web"
setup="$build/dalvex-setup-$version.exe"
makensis -V2 -WX -DVERSION="$version" -DSTAGE="$stage" -DSIZE_KB="$(du -sk "$stage" | cut -f1)" -DOUTFILE="$setup" \
  packaging/windows/dalvex.nsi
echo "Made $setup ($(du -h "$setup" | cut -f1))"
scripts/windows_install_test.sh "$setup"
wineserver -k || true
