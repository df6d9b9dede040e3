#!/usr/bin/env bash
# Generation of each rule whose clues the generator makes, beside classic grids, at one level:
# per rule the median and worst time per puzzle and the share of puzzles counted unique.
#   bench/rule_report.sh [N] [LEVEL] [SIZE]     (N puzzles per rule, default 20; level 1..4,
#                                                default 3, Difficult; size default 9)
# Rules are variant catalogue rows (quorbel-bench generate --rules); Kimo goes with Killer Sum.
# Exit status 3 when, at Difficult 9x9, Killer Sum, a rule between two cells, a neighbourhood rule
# a cell-set or group rule, or a piece rule misses its targets (median 1.5 s, worst 5 s), and at
# size 16 when Navigator at Medium, one puzzle for each of seeds 1 to 3, takes over 15 s.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORBEL_BUILD_DIR:-$root/build}
tool=$build/bench/quorbel-bench
count=${1:-20}
level=${2:-3}
size=${3:-9}
status=0

declare -a names=("classic" "Little Killer" "Killer Sum" "Killer Product" "Killer Sum + Kimo" "Arrow"
  "Creasing Lines" "Outside" "Frame Sum" "Frame Product" "Frame Max" "Oddview" "SkyScrapper"
  "Last Number" "Transfer" "Mult Table" "XV" "Less" "Dot" "Odd" "Odd Pair" "Quad Max" "Distance"
  "XV + All Indicated" "No Consecutive" "Touchy" "Pirate" "Give Me 5" "Navigator" "Chess" "No Knight Step"
  "No Touch" "No 3 Odd Even" "No Average" "Diagonal" "Extra Region" "Trio" "MasterMind" "Domino"
  "Pencil Mark" "Digital Clock" "Romain" "Numeral" "Dan" "Equality" "Wheel" "Magic Sentence" "Puzzle" "Tiled"
  "Battle Ship")
declare -a rows=("" "13" "14" "15" "14,16" "25" "26" "27" "28" "29" "30" "31" "32" "33" "34" "46" "7" "5"
  "8" "6" "23" "44" "41" "7,9" "20" "17" "10" "22" "12" "47" "24" "21" "18" "19" "3" "50" "11" "35" "36"
  "37" "38" "39" "40" "42" "43" "45" "49" "52" "53" "54")
# The rules held to the targets at Difficult 9x9.
targeted="|Killer Sum|XV|Less|Dot|Odd|Odd Pair|Quad Max|Distance|No Consecutive|Touchy|Pirate|Give Me 5|Navigator|Chess|No Knight Step|Trio|MasterMind|Domino|Pencil Mark|Digital Clock|Romain|Numeral|Dan|Equality|Wheel|Magic Sentence|Puzzle|Tiled|Battle Ship|"

printf "%-20s %10s %10s %8s\n" "rule (size $size, level $level)" "median_ms" "worst_ms" "unique"
for i in "${!names[@]}"; do
  args=(generate --size "$size" --level "$level" --count "$count" --seed 1)
  [ -n "${rows[$i]}" ] && args+=(--rules "${rows[$i]}")
  if ! out=$("$tool" "${args[@]}" 2> /dev/null); then
    printf "%-20s %s\n" "${names[$i]}" "not offered at this size, or failed"
    continue
  fi
  times=$(grep '^median_ms=' <<< "$out")
  median=$(sed 's/median_ms=\([0-9.]*\).*/\1/' <<< "$times")
  worst=$(sed 's/.*worst_ms=\([0-9.]*\)/\1/' <<< "$times")
  unique=$(grep '^unique=' <<< "$out" | cut -d= -f2 || true)
  printf "%-20s %10s %10s %8s\n" "${names[$i]}" "$median" "$worst" "${unique:-$count}/$count"
  if [[ "$targeted" == *"|${names[$i]}|"* ]] && [ "$size" = 9 ] && [ "$level" = 3 ]; then
    awk -v m="$median" -v w="$worst" 'BEGIN { exit !(m <= 1500 && w <= 5000) }' ||
      { echo "  target missed: Difficult 9x9 ${names[$i]} (median <= 1500 ms, worst <= 5000 ms)"; status=3; }
  fi
done

if [ "$size" = 16 ]; then
  worst=0
  for seed in 1 2 3; do
    out=$("$tool" generate --size 16 --level 2 --count 1 --seed "$seed" --rules 12 2> /dev/null) ||
      { echo "Navigator 16x16 Medium, seed $seed: failed"; status=3; continue; }
    ms=$(sed -n 's/^median_ms=\([0-9.]*\).*/\1/p' <<< "$out")
    printf "%-20s %10s\n" "Navigator 16 seed $seed" "$ms"
    worst=$(awk -v a="$worst" -v b="$ms" 'BEGIN { print (b > a ? b : a) }')
  done
  awk -v w="$worst" 'BEGIN { exit !(w <= 15000) }' ||
    { echo "  target missed: Navigator 16x16 Medium, seeds 1-3 (worst <= 15000 ms)"; status=3; }
fi
exit $status
