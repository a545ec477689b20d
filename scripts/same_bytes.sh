#!/usr/bin/env bash
# Usage: scripts/same_bytes.sh LINUX_DALVEX_CLI WINDOWS_DALVEX_CLI_EXE
# Runs both builds of dalvex-cli (the Windows one under wine) on a sketch file of every profile system (the
# default project is left out: its order date is the moment it starts), each with the sample data beside it, and requires identical bytes from both: the
# calc JSON, the saved sketch file, the workbook and the accounting file (line ends included). The output
# files get Cyrillic names with spaces, so the command line's file names are checked on the way.
set -euo pipefail
linux_cli=$(realpath "$1")
windows_cli=$(realpath "$2")
export WINEDEBUG=-all

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/samples" "$work/linux" "$work/windows"
"$(dirname "$linux_cli")/make_sample_sketches" "$work/samples" >/dev/null

run() { # platform, arguments...
  local platform=$1
  shift
  if [ "$platform" = linux ]; then "$linux_cli" "$@"; else wine "$windows_cli" "$@"; fi
}

inputs=("$work"/samples/*.dlx)
for platform in linux windows; do
  out="$work/$platform"
  for input in "${inputs[@]}"; do
    name=$(basename "$input" .dlx)
    run "$platform" calc "$input" >"$out/$name.json"
    run "$platform" save "$out/Эскиз $name.dlx" "$input"
    run "$platform" xml "$out/Заказ $name.xml" "$input"
    run "$platform" csv "$out/Заказ $name.csv" "$input"
  done
done

compared=0
status=0
for file in "$work"/linux/*; do
  name=$(basename "$file")
  if ! cmp -s "$file" "$work/windows/$name"; then
    echo "Windows and Linux differ: $name"
    cmp "$file" "$work/windows/$name" || true
    status=1
  fi
  compared=$((compared + 1))
done
[ "$(ls "$work/windows" | wc -l)" -eq "$compared" ] || { echo "Windows wrote other files"; status=1; }
[ $status -eq 0 ] && echo "Windows and Linux dalvex-cli: $compared files byte for byte the same (${#inputs[@]} sketch files)"
exit $status
