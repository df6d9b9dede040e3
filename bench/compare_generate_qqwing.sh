#!/usr/bin/env bash
# Times the generator against Debian's qqwing in one run: N Terrible 9x9 puzzles from
# quorbel-bench beside N expert 9x9 puzzles from qqwing, then our median and worst time
# per level for 9x9, 12x12 and 16x16. Every 9x9 puzzle we make is counted by qqwing too,
# which must find exactly one solution. qqwing is a benchmark peer only: this script
# installs it when it is missing; nothing else needs it.
#   bench/compare_generate_qqwing.sh [N]        (default 20)
# Exit status: 0 when every count is 1 and our Terrible run takes less time than qqwing's
# expert run, 1 when a count differs, 3 when the speed target is missed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORBEL_BUILD_DIR:-$root/build}
tool=$build/bench/quorbel-bench
count=${1:-20}

. "$root/bench/peer_setup.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

ms_now() { date +%s%N | awk '{ printf "%.3f", $1 / 1000000 }'; }

start=$(ms_now)
qqwing --generate "$count" --difficulty expert --one-line > "$work/qq.txt"
qq_ms=$(awk -v s="$start" -v e="$(ms_now)" 'BEGIN { printf "%.3f", e - s }')

"$tool" generate --size 9 --level 4 --count "$count" > "$work/our.txt"
our_ms=$(sed -n 's/^puzzles=[0-9]* total_ms=\([0-9.]*\)$/\1/p' "$work/our.txt")

grep -E '^[0-9]{81}$' "$work/our.txt" | tr '0' '.' > "$work/our.puzzles"
qqwing --solve --count-solutions --nosolution < "$work/our.puzzles" > "$work/qq.counts"
unique=$(grep -c 'solution to the puzzle is unique' "$work/qq.counts" || true)
if [ "$unique" -ne "$count" ]; then
  echo "qqwing finds a single solution in only $unique of our $count puzzles"
  status=1
fi

echo "9x9: $count puzzles each, qqwing finds each of ours unique: $([ $status -eq 1 ] && echo no || echo yes)"
echo "  qqwing  expert   total_ms=$qq_ms"
echo "  quorbel terrible total_ms=$our_ms $(grep '^median_ms=' "$work/our.txt") $(grep '^levels=' "$work/our.txt")"
if [ "$status" -eq 0 ] && awk -v q="$qq_ms" -v o="$our_ms" 'BEGIN { exit !(o >= q) }'; then
  status=3
fi

for size in 9 12 16; do
  for level in 1 2 3 4; do
    n=$count
    [ "$size" -eq 16 ] && n=$(( (count + 3) / 4 ))
    "$tool" generate --size "$size" --level "$level" --count "$n" --seed 1 > "$work/run.txt"
    echo "${size}x${size} level $level: $n puzzles, $(grep '^median_ms=' "$work/run.txt")" \
      "$(grep '^levels=' "$work/run.txt")"
  done
done
exit $status
