#!/usr/bin/env bash
# Usage: scripts/same_as_before.sh [COMMIT] [BUILD]
# Builds dalvex-cli and make_sample_sketches of COMMIT (default: the last commit, HEAD) in a folder of its
# own, and requires the same bytes from that build and from BUILD (default: build/): the sample sketch files
# each makes, and for every sample sketch the calc JSON, the saved sketch file, the workbook and the
# accounting file, as opened, after each of a few scripts that set the systems' options (pivot, mounting,
# edge profiles, height offset, bar length, rollers), and after random scripts of every kind of operation
# with refused ones among them (scripts/random_edit_scripts.sh), so that a lost refusal shows. Exit codes
# and standard error must agree too.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
commit=$(git rev-parse --short "${1:-HEAD}")
after_build=$(realpath "${2:-build}")
jobs="${DALVEX_JOBS:-2}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The sources of COMMIT and their build are kept beside build/, so that a second run builds nothing again.
before="$root/build-before-$commit"
before_build="$before/build"

echo "Building dalvex-cli of $commit in $before_build"
if [ ! -f "$before/src/CMakeLists.txt" ]; then
  mkdir -p "$before/src"
  git archive "$commit" | tar -x -C "$before/src"
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$before/src" -B "$before_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDALVEX_BUILD_UI=OFF \
  -DDALVEX_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$before_build" -j"$jobs" --target dalvex-cli make_sample_sketches dalvex_data >/dev/null
cmake --build "$after_build" -j"$jobs" --target dalvex-cli make_sample_sketches dalvex_data >/dev/null

status=0
mkdir -p "$work/before/samples" "$work/after/samples"
"$before_build/bin/make_sample_sketches" "$work/before/samples" >/dev/null
"$after_build/bin/make_sample_sketches" "$work/after/samples" >/dev/null
for file in "$work"/before/samples/*.dlx; do
  name=$(basename "$file")
  cmp -s "$file" "$work/after/samples/$name" || { echo "The sample sketch $name differs"; status=1; }
done

# Scripts that change the systems' options; each is applied to every sample (a refused operation is part of
# what must agree).
mkdir -p "$work/scripts"
echo '[]' >"$work/scripts/as-opened.json"
echo '[{"op":"toggleOption"}]' >"$work/scripts/option.json"
echo '[{"op":"doors","count":2},{"op":"rollers","entry":"пивотный мех."}]' >"$work/scripts/pivot.json"
echo '[{"op":"heightOffset","mm":-33},{"op":"barLength","choice":2}]' >"$work/scripts/offset-bar.json"
echo '[{"op":"rollers","entry":"стандартные"},{"op":"toggleOption"},{"op":"undo"},{"op":"redo"}]' \
  >"$work/scripts/rollers-undo.json"
echo '[{"op":"system","name":"Борвик"},{"op":"barLength","choice":2},{"op":"system","name":"Фелдор"},
       {"op":"toggleOption"},{"op":"system","name":"Борвик"}]' >"$work/scripts/options-kept.json"
scripts/random_edit_scripts.sh 36 "${DALVEX_RANDOM_SCRIPTS:-30}" "$work/scripts"

run() { # build, output folder, sample, script
  local cli=$1/bin/dalvex-cli out=$2 input=$3 script=$4
  local name
  name=$(basename "$input" .dlx)-$(basename "$script" .json)
  {
    "$cli" calc "$input" --script "$script" >"$out/$name.json" 2>"$out/$name.calc.err"
    echo "calc $?"
    "$cli" save "$out/$name.dlx" "$input" --script "$script" 2>"$out/$name.save.err"
    echo "save $?"
    "$cli" xml "$out/$name.xml" "$input" --script "$script" 2>"$out/$name.xml.err"
    echo "xml $?"
    "$cli" csv "$out/$name.csv" "$input" --script "$script" 2>"$out/$name.csv.err"
    echo "csv $?"
  } >"$out/$name.exit" || true
}

for side in before after; do
  build=$before_build
  [ $side = after ] && build=$after_build
  mkdir -p "$work/$side/out"
  for input in "$work"/before/samples/*.dlx; do
    for script in "$work"/scripts/*.json; do
      run "$build" "$work/$side/out" "$input" "$script"
    done
  done
  # Messages name the output file, whose folder differs by side.
  sed -i "s#$work/$side/out#OUT#g" "$work/$side/out"/*.err
done

compared=0
for file in "$work"/before/out/*; do
  name=$(basename "$file")
  if ! cmp -s "$file" "$work/after/out/$name"; then
    echo "Differs: $name"
    diff <(head -c 2000 "$file") <(head -c 2000 "$work/after/out/$name") | head -10 || true
    status=1
  fi
  compared=$((compared + 1))
done
[ "$(ls "$work/after/out" | wc -l)" -eq "$compared" ] || { echo "The two builds wrote other files"; status=1; }
samples=$(ls "$work"/before/samples/*.dlx | wc -l)
[ $status -eq 0 ] && echo "$commit and this build: $samples sample sketches and $compared outputs byte for byte the same"
exit $status
