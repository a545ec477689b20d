#!/usr/bin/env bash
# Usage: scripts/random_edit_scripts.sh SEED COUNT FOLDER
# Writes COUNT random scripts of 10 to 40 editing operations (FOLDER/random-SEED-N.json), the same for the
# same SEED. Every kind of operation appears, with values in and out of range, names the catalogue has and
# names it lacks, undo and redo: a build that loses a refusal, or takes one it should not, writes other bytes.
# Everything runs in this one shell (no command substitution), since a subshell would draw other numbers.
set -euo pipefail
seed=$1 count=$2 folder=$3
mkdir -p "$folder"
RANDOM=$seed

pick() { # one of the arguments, in v
  local args=("$@")
  v=${args[RANDOM % ${#args[@]}]}
}
systems=('"Борвик"' '"Лантес"' '"Сенфил"' '"Кворин"' '"Фелдор"' '"Зеркан"' '"Далвекс"' '"Венлор"' '"Нордел"'
         '"Герлит"' '"Нет такой"')
handles=('"JB001"' '"JB01"' '"JW03"' '"DX02"' '"JL11"' '"XX99"')
colors=('"Белый глянец"' '"Хром матовый"' '"Золото глянец"' '"Нет такого"')
dividers=('"JB09"' '"DX08"' '"DX09"' '"XX99"')
# A fill's material and collection: mostly ones the sample library has, some it lacks.
fillings=('"material":"mirror_silver.jpg"' '"material":"mirror_silver.jpg","collection":"Зеркала"'
          '"material":"egger_h1145_st10.jpg"' '"material":"glass_clear_4.jpg","collection":"Стекло"'
          '"material":"lacobel_ral9003.jpg"' '"material":"nothing.jpg","collection":"Стекло"'
          '"material":"mirror_silver.jpg","collection":"Нет такой"' '"material":"nothing.jpg"')
rollers=('"стандартные"' '"пивотный мех."' '"Y1406"' '"JG05"' '"RS-нет"')
doors=(0 0 0 1 1 2 3 -1 10)
inserts=(1 1 1 1 2 2 3 0)

# One operation, in op.
operation() {
  local d i
  pick "${doors[@]}"; d=$v
  pick "${inserts[@]}"; i=$v
  local p=$((RANDOM % 20000 - 500))
  case $((RANDOM % 28)) in
    0) pick "${systems[@]}"; op="{\"op\":\"system\",\"name\":$v}" ;;
    1) pick "${handles[@]}"; op="{\"op\":\"handle\",\"code\":$v}" ;;
    2) pick "${colors[@]}"; op="{\"op\":\"color\",\"name\":$v}" ;;
    3) pick 50 100 1200 2400 3000 3600 5649 100000 200000; op="{\"op\":\"width\",\"mm\":$v}" ;;
    4) pick 50 100 600 2000 2450 2780 10000 20000; op="{\"op\":\"height\",\"mm\":$v}" ;;
    5) pick 0 1 2 3 4 5 6 10 11; op="{\"op\":\"doors\",\"count\":$v}" ;;
    6) pick -1 0 16 18 100 101; op="{\"op\":\"chipboard\",\"mm\":$v}" ;;
    7) pick 10 54 70 800 2001; op="{\"op\":\"plinth\",\"mm\":$v}" ;;
    8) pick -1 0 5 7.5 100 100.5; op="{\"op\":\"discount\",\"percent\":$v}" ;;
    9) op='{"op":"toggleOption"}' ;;
    10) pick "${rollers[@]}"; op="{\"op\":\"rollers\",\"entry\":$v}" ;;
    11) pick -40 -35 -33; op="{\"op\":\"heightOffset\",\"mm\":$v}" ;;
    12) pick 0 1 2 3; op="{\"op\":\"barLength\",\"choice\":$v}" ;;
    13 | 14) pick true false; op="{\"op\":\"split\",\"door\":$d,\"insert\":$i,\"position\":$p,\"vertical\":$v}" ;;
    15) op="{\"op\":\"removeDivider\",\"door\":$d,\"divider\":$i}" ;;
    16) op="{\"op\":\"moveDivider\",\"door\":$d,\"divider\":$i,\"position\":$p}" ;;
    17) op="{\"op\":\"moveJoint\",\"door\":$d,\"delta\":$((RANDOM % 10000 - 5000))}" ;;
    18) pick true false; op="{\"op\":\"insertSize\",\"door\":$d,\"divider\":$i,\"size\":$p,\"after\":$v}" ;;
    19) pick "${doors[@]}"; op="{\"op\":\"pasteDoor\",\"from\":$d,\"to\":$v}" ;;
    20) pick true false; op="{\"op\":\"alignDividers\",\"door\":$d,\"vertical\":$v}" ;;
    21 | 22)
      local across=''
      if [ $((RANDOM % 5)) -eq 0 ]; then pick 1 2 5; across=",\"firstDoor\":0,\"lastDoor\":$v"; fi
      pick "${fillings[@]}"; op="{\"op\":\"fill\",\"door\":$d,\"insert\":$i,$v$across}" ;;
    23) op="{\"op\":\"clearMaterial\",\"door\":$d,\"insert\":$i}" ;;
    24) pick clearSketch runningProfile guideProfile; op="{\"op\":\"$v\"}" ;;
    25) pick undo redo; op="{\"op\":\"$v\"}" ;;
    26) pick "${dividers[@]}"; op="{\"op\":\"dividerProfile\",\"code\":$v}" ;;
    27) local w=() ; pick 1000 50 1500; w+=("$v"); pick 1000 1200 3000; w+=("$v"); pick 1000 800; w+=("$v")
        pick '' ',"rows":[0,1,0]'; op="{\"op\":\"doorWidths\",\"widths\":[${w[0]},${w[1]},${w[2]}]$v}" ;;
  esac
}

for ((n = 1; n <= count; n++)); do
  length=$((10 + RANDOM % 31))
  text='['
  for ((k = 1; k <= length; k++)); do
    operation
    text+=$'\n'"$op"
    [ $k -lt $length ] && text+=','
  done
  printf '%s\n]\n' "$text" >"$folder/random-$seed-$n.json"
done
