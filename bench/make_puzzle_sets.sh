#!/usr/bin/env bash
# Remakes the 9x9 puzzle sets of bench/data from our own generator:
#   terrible-9.txt  the first 200 Terrible puzzles of seeds 1, 2, 3, ...
#   hard-9.txt      the 100 of 2000 such puzzles that our search takes longest to count to 2
#                   (each timed three times in-process, on the fast route, the median kept)
# The hard set depends a little on the machine's timing; the Terrible set does not.
#   bench/make_puzzle_sets.sh
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORBEL_BUILD_DIR:-$root/build}
tool=$build/bench/quorbel-bench
[ -x "$tool" ] || cmake -S "$root" -B "$build" -G Ninja > /dev/null
cmake --build "$build" --target quorbel-bench > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$tool" generate --size 9 --level 4 --count 2000 --seed 1 | grep -E '^[0-9]{81}$' | tr '0' '.' > "$work/all.txt"
head -200 "$work/all.txt" > "$root/bench/data/terrible-9.txt"

while read -r puzzle; do
  echo "$puzzle" > "$work/one.txt"
  for run in 1 2 3; do
    "$tool" count --limit 2 "$work/one.txt" | sed -n 's/^puzzles=1 total_ms=//p'
  done | sort -g | sed -n 2p | tr '\n' ' '
  echo "$puzzle"
done < "$work/all.txt" | sort -k1,1gr | head -100 | cut -d' ' -f2 > "$root/bench/data/hard-9.txt"
