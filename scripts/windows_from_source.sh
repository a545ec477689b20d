#!/usr/bin/env bash
# Builds what the Windows desktop program links, from the Debian source packages of this machine's release,
# with the mingw-w64 compiler scripts/windows.sh uses: a static Qt (qtbase: Core, Gui, Widgets, PrintSupport,
# Test and their plugins) into OUTDIR/qt6-mingw and a static SQLite into OUTDIR/sqlite-mingw. About an hour on
# two cores, nearly all of it Qt; scripts/windows.sh runs it only when the prebuilt archives are not there.
#   scripts/windows_from_source.sh OUTDIR [qt] [sqlite]     (both when neither is named)
# DALVEX_JOBS sets the parallel jobs (2).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$(mkdir -p "${1:?usage: scripts/windows_from_source.sh OUTDIR [qt] [sqlite]}" && cd "$1" && pwd)
shift
parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(qt sqlite)
jobs="${DALVEX_JOBS:-2}"

# Qt's build tools (moc, rcc, uic) run on this machine and must be the version of the sources: both come
# from the same Debian release.
scripts/setup.sh g++-mingw-w64-x86-64-posix qt6-base-dev-tools dpkg-dev xz-utils tcl

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# apt-get source needs source entries beside the system's binary ones, which Debian's images list alone: the
# same archives as deb-src, taken away again at the end.
if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
  echo "Adding the source packages of the system's archives to apt's sources"
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sources_entry=/etc/apt/sources.list.d/dalvex-deb-src.sources
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$sources_entry"
  else
    . /etc/os-release
    sources_entry=/etc/apt/sources.list.d/dalvex-deb-src.list
    echo "deb-src http://deb.debian.org/debian $VERSION_CODENAME main" >"$sources_entry"
  fi
  trap 'rm -rf "$work" "$sources_entry"' EXIT
  apt-get update -qq
fi
# Run as root, apt downloads as its own user, which must be able to write here (else it warns and downloads as
# root); run as anyone else it downloads as that user.
if [ "$(id -u)" -eq 0 ] && id _apt >/dev/null 2>&1; then chown _apt "$work"; fi
cd "$work"
# The project's mingw toolchain, with packages from the mingw tree only (never the build machine's) and no
# emulator: Qt's configuration must not find the host's libraries or start wine.
cat >mingw-qt.cmake <<EOF
include("$root/cmake/mingw-w64.cmake")
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
unset(CMAKE_CROSSCOMPILING_EMULATOR)
EOF
toolchain="$work/mingw-qt.cmake"

build_qt() {
  apt-get source --download-only qt6-base >/dev/null
  tar xf qt6-base_*.orig.tar.*
  local src
  src=$(echo qtbase-everywhere-src-*)
  local version=${src#qtbase-everywhere-src-}
  local host
  host=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
  [[ $host == "$version"* ]] || { echo "Qt sources $version, host tools $host: they must match"; exit 1; }
  # Two changes to Qt's sources. The Windows platform plugin of Qt 6.4 uses the dynamic-GL context even
  # with OpenGL off; Debian's source leaves out the third-party wintab header, so tablet events are off.
  sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$src/src/plugins/platforms/windows/qwindowswindow.cpp"
  echo "Configuring Qt $version for Windows (log: $work/qt-configure.log)"
  # Only what the program uses; every third-party library Qt's own copy, so nothing comes from the host.
  cmake -G Ninja -S "$src" -B qt-build -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$out/qt6-mingw" \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_testlib=ON -DFEATURE_printsupport=ON >"$work/qt-configure.log" 2>&1 \
    || { tail -40 "$work/qt-configure.log"; exit 1; }
  echo "Building Qt (about an hour on two cores)"
  cmake --build qt-build -j"$jobs" >"$work/qt-build.log" 2>&1 || { tail -40 "$work/qt-build.log"; exit 1; }
  cmake --install qt-build >/dev/null
  echo "Qt $version for Windows in $out/qt6-mingw"
}

build_sqlite() {
  apt-get source --download-only sqlite3 >/dev/null
  tar xf sqlite3_*.orig.tar.*
  mkdir -p sqlite-build "$out/sqlite-mingw/include" "$out/sqlite-mingw/lib"
  # The amalgamation: the whole library as one C file, made by the source's own makefile.
  (cd sqlite-build && ../sqlite3-*/configure >/dev/null && make sqlite3.c >/dev/null)
  x86_64-w64-mingw32-gcc-posix -O2 -DSQLITE_ENABLE_FTS5 -DSQLITE_THREADSAFE=1 -DSQLITE_DQS=0 \
    -c sqlite-build/sqlite3.c -o sqlite3.o
  x86_64-w64-mingw32-ar rcs "$out/sqlite-mingw/lib/libsqlite3.a" sqlite3.o
  cp sqlite-build/sqlite3.h "$out/sqlite-mingw/include/"
  echo "SQLite for Windows in $out/sqlite-mingw"
}

for part in "${parts[@]}"; do
  case $part in
    qt) build_qt ;;
    sqlite) build_sqlite ;;
    *) echo "unknown part: $part (qt, sqlite)"; exit 2 ;;
  esac
done
