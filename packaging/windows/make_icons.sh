#!/usr/bin/env bash
# Remakes dalvex.ico and dalvex-sketch.ico of this folder from the program's and the sketch files' drawings
# in packaging/: every size Explorer asks for, the large one kept as PNG. Run by hand after a drawing changed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/../../scripts/setup.sh" librsvg2-bin icoutils >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make_icon() { # drawing, icon
  local pngs=()
  for size in 16 20 24 32 40 48 64; do
    rsvg-convert -w "$size" -h "$size" "$1" -o "$work/$size.png"
    pngs+=("$work/$size.png")
  done
  rsvg-convert -w 256 -h 256 "$1" -o "$work/256.png"
  icotool -c -o "$2" "${pngs[@]}" -r "$work/256.png"
}
make_icon "$here/../dalvex.svg" "$here/dalvex.ico"
make_icon "$here/../application-x-dalvex-sketch.svg" "$here/dalvex-sketch.ico"
echo "made $here/dalvex.ico and $here/dalvex-sketch.ico"
