#!/usr/bin/env bash
# Installs the setup program silently under wine, as a dealer's administrator would, and checks the result as
# Windows sees it: the files in Program Files, the Start-menu shortcut, the .dlx file type and the entry in the
# installed programs; the installed program started offscreen through the file type's own command on a sketch
# in a Cyrillic folder, keeping its counter and order journal in the user's folder and writing nothing into
# Program Files; then the silent uninstall, which must leave nothing but the user's own data.
# Usage: scripts/windows_install_test.sh SETUP.exe   (WINEPREFIX as scripts/windows.sh sets it)
set -euo pipefail
setup=$(realpath "$1")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
drive="$WINEPREFIX/drive_c"
installed="$drive/Program Files/Dalvex"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Dalvex.lnk"
user_data="$(echo "$drive"/users/*/AppData/Local)/dalvex"
fail() { echo "install test: $*"; exit 1; }

# The value of a registry key's default entry (or of NAME), empty when it is missing.
reg_value() { # key [name]
  local which=(/ve)
  [ $# -gt 1 ] && which=(/v "$2")
  wine reg query "$1" "${which[@]}" 2>/dev/null | tr -d '\r' | sed -nE 's/^ +[^ ].*REG_[A-Z_]+ +(.*)$/\1/p' | head -1
}
# Every file under a folder with its checksum, to see that a run wrote nothing there.
fingerprint() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }

# A clean start: no earlier installation, no user data of an earlier run.
[ ! -e "$installed" ] || fail "Dalvex is installed already in $installed"
rm -rf "$user_data"

wine "$setup" /S
for f in bin/dalvex.exe bin/dalvex-cli.exe bin/web/dalvex.wasm uninstall.exe share/dalvex/profiles/price.csv \
         share/dalvex/config/number.txt share/dalvex/materials; do
  [ -e "$installed/$f" ] || fail "not installed: $f"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut"

[ "$(reg_value 'HKCR\.dlx')" = Dalvex.Sketch ] || fail ".dlx is not Dalvex's file type"
icon=$(reg_value 'HKCR\Dalvex.Sketch\DefaultIcon')
[ "$icon" = '"C:\Program Files\Dalvex\bin\dalvex.exe",-2' ] || fail "sketch icon: $icon"
command=$(reg_value 'HKCR\Dalvex.Sketch\shell\open\command')
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dalvex'
[ "$(reg_value "$uninstall_key" DisplayName)" = Dalvex ] || fail "not in the installed programs"
[ -n "$(reg_value "$uninstall_key" DisplayVersion)" ] || fail "no version in the installed programs"
uninstaller=$(reg_value "$uninstall_key" UninstallString)
[ "$uninstaller" = '"C:\Program Files\Dalvex\uninstall.exe"' ] || fail "uninstall command: $uninstaller"

# A double-click runs the registered command with the file for %1; here the program is also told to paint
# offscreen, print its title and end.
[[ $command =~ ^\"([^\"]+)\"\ \"%1\"$ ]] || fail "open command: $command"
program=${BASH_REMATCH[1]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Заказы"
sketch="$work/Заказы/Иванов И.И. шкаф.dlx"
before=$(fingerprint "$installed")
wine "C:\Program Files\Dalvex\bin\dalvex-cli.exe" save "$sketch" --width 2400 --doors 2
title=$(wine "$program" -platform offscreen --quit-after-start "$sketch" | tr -d '\r')
[ "$title" = "Иванов И.И. шкаф.dlx — dalvex" ] || fail "the installed program did not open the sketch: '$title'"
[ "$(fingerprint "$installed")" = "$before" ] || fail "the program wrote into Program Files"
# The shop's web site from the installed page and module.
wine "C:\Program Files\Dalvex\bin\dalvex-cli.exe" web "$work/site"
for f in index.html dalvex.wasm dalvex.js shop.pack; do [ -s "$work/site/$f" ] || fail "web: no $f in the site"; done
cmp -s "$user_data/dalvex/config/number.txt" "$installed/share/dalvex/config/number.txt" \
  || fail "the order counter is not in the user's folder $user_data"
[ -f "$user_data/dalvex/journal.sqlite" ] || fail "the order journal is not in the user's folder $user_data"
# While it runs, the program holds the lock of its recovery file, beside which the file is kept.
wine "$program" -platform offscreen "$sketch" &
running=$!
for _ in $(seq 150); do [ -f "$user_data/dalvex/recovery.lock" ] && break; sleep 0.2; done
kill "$running"
wait "$running" || true
[ -f "$user_data/dalvex/recovery.lock" ] || fail "the recovery file is not kept in the user's folder"
[ "$(fingerprint "$installed")" = "$before" ] || fail "the program wrote into Program Files"

# The uninstaller runs from a copy in the temporary folder; wineserver -w waits for it.
wine "C:\Program Files\Dalvex\uninstall.exe" /S
wineserver -w
[ ! -e "$installed" ] || fail "left after uninstalling: $(cd "$installed" && find . | head -5)"
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is left"
for key in 'HKCR\.dlx' 'HKCR\Dalvex.Sketch' "$uninstall_key"; do
  ! wine reg query "$key" >/dev/null 2>&1 || fail "registry key left: $key"
done
for f in config/number.txt journal.sqlite; do
  [ -f "$user_data/dalvex/$f" ] || fail "the user's $f went with the program"
done
echo "install test passed: silent install, file type, offscreen start on a sketch, silent uninstall"
