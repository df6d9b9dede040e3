#!/usr/bin/env bash
# Times quorbel-bench against Debian's qqwing on the same 9x9 puzzle files, in one run:
# both count the solutions of every puzzle (ours up to 2, enough to tell unique from not),
# the counts must agree, and the ratio of their times is printed. qqwing is a benchmark
# peer only: this script installs it when it is missing; nothing else needs it.
# The 16x16 files, which qqwing cannot read, are timed on our side alone.
# bench/data/qqwing-expert-9.txt holds 200 hard puzzles made by
#   qqwing --generate 200 --difficulty expert --one-line
#   bench/compare_qqwing.sh [9x9 files...]      (default: the files below)
# Exit status: 0 when the counts agree and ours is at least twice as fast, 1 when a count
# differs, 3 when the speed target is missed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORBEL_BUILD_DIR:-$root/build}
tool=$build/bench/quorbel-bench
nine=("$@")
[ ${#nine[@]} -gt 0 ] || nine=("$root/tests/data/puzzles-9.txt" "$root/bench/data/qqwing-expert-9.txt")
sixteen=("$root/tests/data/puzzles-16.txt")
readonly target_ratio=2

. "$root/bench/peer_setup.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
for file in "${nine[@]}"; do
  name=$(basename "$file")
  # qqwing: "unique", "There are N solutions" or "not possible" per puzzle, then its own total.
  qqwing --solve --count-solutions --nosolution --timer < "$file" > "$work/qq.out"
  sed -n -e 's/.*solution to the puzzle is unique.*/1/p' -e 's/^There are \([0-9]*\) solutions.*/\1/p' \
    -e 's/.*not possible.*/0/p' "$work/qq.out" | awk '{ print ($1 > 2 ? 2 : $1) }' > "$work/qq.counts"
  qq_ms=$(sed -n 's/^[0-9]* puzzles solved in \([0-9.e+-]*\) seconds.*/\1/p' "$work/qq.out" | awk '{ printf "%.3f", $1 * 1000 }')

  "$tool" count --limit 2 --stats "$file" > "$work/our.out"
  grep -E '^-?[0-9]+$' "$work/our.out" > "$work/our.counts"
  our_ms=$(sed -n 's/^puzzles=[0-9]* total_ms=\([0-9.]*\)$/\1/p' "$work/our.out")
  stats=$(grep '^median_us=' "$work/our.out")
  puzzles=$(wc -l < "$work/our.counts")

  if ! cmp -s "$work/qq.counts" "$work/our.counts"; then
    echo "$name: the counts differ from qqwing's:"
    diff "$work/qq.counts" "$work/our.counts" | head -10
    status=1
  fi
  ratio=$(awk -v q="$qq_ms" -v o="$our_ms" 'BEGIN { printf "%.2f", (o > 0 ? q / o : 0) }')
  echo "$name: $puzzles puzzles, counts agree: $([ $status -eq 1 ] && echo no || echo yes)"
  echo "  qqwing  total_ms=$qq_ms"
  echo "  quorbel total_ms=$our_ms $stats"
  echo "  ratio qqwing/quorbel = $ratio (target >= $target_ratio)"
  if [ "$status" -eq 0 ] && awk -v r="$ratio" -v t="$target_ratio" 'BEGIN { exit !(r < t) }'; then
    status=3
  fi
done

for file in "${sixteen[@]}"; do
  "$tool" count --limit 2 --stats "$file" > "$work/our.out"
  echo "$(basename "$file"): $(grep -cE '^-?[0-9]+$' "$work/our.out") puzzles," \
    "$(grep '^median_us=' "$work/our.out") $(tail -1 "$work/our.out")"
done
exit $status
