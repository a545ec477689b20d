#!/usr/bin/env bash
# Usage: scripts/same_bytes.sh LINUX_DALVEX_CLI WINDOWS_DALVEX_CLI_EXE [LINUX_DESKTOP_WRITER WINDOWS_DESKTOP_WRITER_EXE]
# Runs both builds of dalvex-cli (the Windows one under wine) on a sketch file of every profile system (the
# default project is left out: its order date is the moment it starts), each with the sample data beside it,
# and requires identical bytes from both: the calc JSON, the saved sketch file, the workbook and the
# accounting file (line ends included). With the desktop writers (tests/ui/samples/desktop_writer.cpp), the
# desktop program of each platform opens the same files, saves them and exports the workbook and the
# accounting file through its own buttons and dialogs, and those bytes must agree too. The output files get
# Cyrillic names with spaces, so the command line's file names are checked on the way.
set -euo pipefail
linux_cli=$(realpath "$1")
windows_cli=$(realpath "$2")
desktop=$([ $# -ge 4 ] && echo yes || echo no)
export WINEDEBUG=-all

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/samples" "$work/linux/cli" "$work/windows/cli"
"$(dirname "$linux_cli")/make_sample_sketches" "$work/samples" >/dev/null

run() { # platform, program, arguments...
  local platform=$1 program=$2
  shift 2
  if [ "$platform" = linux ]; then "$program" "$@"; else wine "$program" "$@"; fi
}

inputs=("$work"/samples/*.dlx)
for platform in linux windows; do
  out="$work/$platform/cli"
  cli=$([ "$platform" = linux ] && echo "$linux_cli" || echo "$windows_cli")
  for input in "${inputs[@]}"; do
    name=$(basename "$input" .dlx)
    run "$platform" "$cli" calc "$input" >"$out/$name.json"
    run "$platform" "$cli" save "$out/Эскиз $name.dlx" "$input"
    run "$platform" "$cli" xml "$out/Заказ $name.xml" "$input"
    run "$platform" "$cli" csv "$out/Заказ $name.csv" "$input"
  done
done
if [ "$desktop" = yes ]; then
  mkdir -p "$work/linux/desktop" "$work/windows/desktop"
  # Qt's warnings of the offscreen platform (no runtime folder, windows that cannot be raised) say nothing here.
  QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="default.warning=false" \
    "$(realpath "$3")" --journal "$work/linux.sqlite" "$work/linux/desktop" "${inputs[@]}"
  wine "$(realpath "$4")" -platform offscreen --journal "$work/windows.sqlite" "$work/windows/desktop" "${inputs[@]}"
fi

compared=0
status=0
for file in "$work"/linux/*/*; do
  name=${file#"$work/linux/"}
  if ! cmp -s "$file" "$work/windows/$name"; then
    echo "Windows and Linux differ: $name"
    cmp "$file" "$work/windows/$name" || true
    status=1
  fi
  compared=$((compared + 1))
done
[ "$(find "$work/windows" -type f | wc -l)" -eq "$compared" ] || { echo "Windows wrote other files"; status=1; }
if [ $status -eq 0 ]; then
  programs=$([ "$desktop" = yes ] && echo "dalvex-cli and the desktop program" || echo "dalvex-cli")
  echo "Windows and Linux $programs: $compared files byte for byte the same (${#inputs[@]} sketch files)"
fi
exit $status
