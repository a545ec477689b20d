#!/usr/bin/env bash
# Starts the Windows desktop program (build-win/main/bin/dalvex.exe, made by scripts/windows.sh) under wine
# on a virtual X server, with the windows platform as on a dealer's machine, on a sample sketch named on its
# command line, and saves a picture of the window with its title bar to docs/main-window-windows.png (or the
# file given). Wine draws the desktop; the picture is trimmed to the window.
#   scripts/windows_screenshot.sh [OUT.png] [SKETCH.dlx]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$(realpath -m "${1:-docs/main-window-windows.png}")
scripts/setup.sh xvfb xauth imagemagick fonts-wine >/dev/null

build="$root/build-win"
program="$build/main/bin/dalvex.exe"
[ -x "$program" ] || { echo "no $program: run scripts/windows.sh first"; exit 1; }
export WINEDEBUG=-all WINEPREFIX="$build/wineprefix" WINEDLLOVERRIDES="mscoree,mshtml="

# Every Windows has Arial and Times New Roman, which the program asks for; wine has neither and draws a serif
# in their place. Their metric twins from fonts-liberation stand in, as wine's own fonts (fonts-wine, copied
# into the prefix's Fonts folder, where this wine looks) do for Windows' Tahoma and Marlett (dialogs, the
# title bar's buttons).
cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
for font in "Arial=Liberation Sans" "Times New Roman=Liberation Serif" "Courier New=Liberation Mono"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${font%%=*}" /t REG_SZ /d "${font#*=}" /f >/dev/null
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sketch=${2:-}
if [ -z "$sketch" ]; then
  # One of the sketches the platforms are compared on (a Лантес wardrobe of three doors), under a Cyrillic name.
  "$root/build/bin/make_sample_sketches" "$work" >/dev/null
  sketch="$work/Иванов Пётр.dlx"
  mv "$work/sample-1.dlx" "$sketch"
fi

# The desktop a little larger than the window; the program's 1280 × 800 plus wine's frame fit in it.
cat >"$work/shoot.sh" <<EOF
set -e
wine explorer /desktop=dalvex,1366x900 "$program" "$sketch" &
sleep "\${DALVEX_SCREENSHOT_WAIT:-20}"
import -window root "$work/desktop.png"
wineserver -k
EOF
xvfb-run -a -s "-screen 0 1366x900x24" bash "$work/shoot.sh"
convert "$work/desktop.png" -trim +repage -strip "$out"
echo "Saved $out ($(identify -format '%wx%h' "$out"))"
