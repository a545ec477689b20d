#!/usr/bin/env bash
# Checks that every folder of the core includes only itself and the folders below it (never a higher layer,
# never a peer). The build enforces the same through each layer's include path; this names the offending line.
set -euo pipefail
cd "$(dirname "$0")/../src/core"
declare -A allowed=(
  [text]="text"
  [io]="io text"
  [records]="records io text"
  [sketch]="sketch records io text"
  [calc]="calc sketch records io text"
  [view]="view sketch records io text"
  [catalogue]="catalogue calc sketch records io text"
  [cutting]="cutting calc sketch records io text"
  [files]="files catalogue calc sketch records io text"
  [orders]="orders calc sketch records io text"
  [project]="project files orders catalogue cutting calc sketch records io text"
)
status=0
for folder in */; do
  folder=${folder%/}
  if [ -z "${allowed[$folder]+set}" ]; then
    echo "src/core/$folder: a folder the layer table does not know"; status=1; continue
  fi
  while IFS=: read -r file line text; do
    target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$text")
    if [[ " ${allowed[$folder]} " != *" $target "* ]]; then
      echo "src/core/$file:$line: $folder/ may not include $target/"; status=1
    fi
  done < <(grep -n -H -E '^#include "[^/"]+/' "$folder"/* || true)
done
[ $status -eq 0 ] && echo "Core layers: every include points down."
exit $status
