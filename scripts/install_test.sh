#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks it as a desktop sees it: every file in its
# place, the launcher and the software-centre description valid, and the installed program starting offscreen
# on a sketch file with its data found in share/dalvex. Usage: scripts/install_test.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/dalvex bin/dalvex-cli share/dalvex/profiles/price.csv share/dalvex/config/number.txt \
         share/applications/ru.dalvex.Dalvex.desktop share/metainfo/ru.dalvex.Dalvex.metainfo.xml \
         share/mime/packages/dalvex.xml share/icons/hicolor/scalable/apps/dalvex.svg \
         share/icons/hicolor/scalable/mimetypes/application-x-dalvex-sketch.svg; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
installed_counter=$(cat "$prefix/share/dalvex/config/number.txt")
desktop-file-validate "$prefix/share/applications/ru.dalvex.Dalvex.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/ru.dalvex.Dalvex.metainfo.xml" >/dev/null
xmllint --noout "$prefix/share/mime/packages/dalvex.xml"

# The installed programs, away from the build folder, with a home of their own.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
cd "$work"
"$prefix/bin/dalvex" --version | grep -q '^dalvex [0-9]'
sketch="$work/Иванов.dlx"
"$prefix/bin/dalvex-cli" save "$sketch" --width 2400 --doors 2
title=$("$prefix/bin/dalvex" --quit-after-start "$sketch")
[ "$title" = "Иванов.dlx — dalvex" ] || { echo "the installed program did not open the sketch: '$title'"; exit 1; }
# The installed programs keep the order journal in the user's data folder, not beside the installed data.
"$prefix/bin/dalvex-cli" save "$work/00077.dlx" --order-number 77 --record
journal="$XDG_DATA_HOME/dalvex/dalvex/journal.sqlite"
[ -f "$journal" ] || { echo "no order journal at $journal"; exit 1; }
"$prefix/bin/dalvex-cli" journal show 77 | grep -q '"orderNumber":"77"' || { echo "the save was not recorded"; exit 1; }
"$prefix/bin/dalvex-cli" journal check >/dev/null
# The counter the saves moved is the user's, as the desktop program's; the installed one stays as installed.
[ "$(cat "$prefix/share/dalvex/config/number.txt")" = "$installed_counter" ] \
  || { echo "dalvex-cli wrote into the installed data folder"; exit 1; }
[ -f "$XDG_CONFIG_HOME/dalvex/dalvex/config/number.txt" ] || { echo "no order counter in the user's folder"; exit 1; }
# The shop's web site from the installed page and module, with the installed data.
"$prefix/bin/dalvex-cli" web "$work/site"
for f in index.html app.js dalvex.js dalvex.wasm shop.pack; do
  [ -s "$work/site/$f" ] || { echo "dalvex-cli web wrote no $f"; exit 1; }
done
echo "install test passed"
