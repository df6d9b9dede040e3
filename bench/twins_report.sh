#!/usr/bin/env bash
# Generation of sets of linked grids beside classic grids: per rule the median and worst time
# per set and the share of sets counted unique.
#   bench/twins_report.sh [N] [LEVEL] [SIZE] [GRIDS]  (N sets per rule, default 20; level default
#                                                     3, Difficult; size default 9; GRIDS grids a set)
# Two grids per set unless GRIDS says more, four for the hidden-variant set. Exit status 3 when, at Difficult 9x9, a
# two-grid rule misses median 3 s / worst 10 s, or the hidden set median 10 s / worst 30 s.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORBEL_BUILD_DIR:-$root/build}
tool=$build/bench/quorbel-bench
count=${1:-20}
level=${2:-3}
size=${3:-9}
setGrids=${4:-2}
status=0

declare -a names=("classic" "Twins Equal" "Twins Relation" "Twins Zone" "Twins Differents"
  "Twins Substitution" "Twins Total" "Relation Multiple" "Same in Line" "hidden variants")
declare -a rows=("" "58" "55" "59" "60" "57" "63" "56" "61" "62")
declare -a grids=("$setGrids" "$setGrids" "$setGrids" "$setGrids" "$setGrids" "$setGrids" "$setGrids"
  "$setGrids" "$setGrids" 4)
declare -a medians=(0 3000 3000 3000 3000 3000 3000 0 0 10000)
declare -a worsts=(0 10000 10000 10000 10000 10000 10000 0 0 30000)

printf "%-20s %10s %10s %8s\n" "rule (size $size, level $level)" "median_ms" "worst_ms" "unique"
for i in "${!names[@]}"; do
  args=(generate --size "$size" --level "$level" --count "$count" --seed 1 --grids "${grids[$i]}")
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
  if [ "${medians[$i]}" != 0 ] && [ "$size" = 9 ] && [ "$level" = 3 ] && [ "$setGrids" = 2 ]; then
    awk -v m="$median" -v w="$worst" -v tm="${medians[$i]}" -v tw="${worsts[$i]}" \
      'BEGIN { exit !(m <= tm && w <= tw) }' ||
      { echo "  target missed: ${names[$i]} (median <= ${medians[$i]} ms, worst <= ${worsts[$i]} ms)"; status=3; }
  fi
done
exit $status
