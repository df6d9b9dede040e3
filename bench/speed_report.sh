#!/usr/bin/env bash
# The speed of the search and the generator in one run, side by side with Debian's qqwing
# (a benchmark peer only: installed here with hyperfine when missing; nothing else needs
# them):
#   1. the wall time of an empty run of each program;
#   2. counting to 2 on the hard 9x9 sets: wall time of both (hyperfine medians), our time
#      in-process per puzzle (mean, median, worst), the counts compared; the same in-process
#      figures on the general route (--route propagation, as SEARCHBYPROPAGATION forces);
#   3. Terrible 9x9 generation against qqwing's expert, per puzzle (every puzzle of ours is
#      counted unique by qqwing too);
#   4. our medians and worsts: irregular 9x9 random solutions, irregular 16x16 generation,
#      and each level at 9x9, 12x12 and 16x16.
#   bench/speed_report.sh [N]        (N puzzles per generation figure, default 20)
# bench/data/hard-9.txt holds the 100 puzzles qqwing needed the most guesses for (then the
# most backtracks) among 3000 it made:
#   qqwing --generate 3000 --difficulty expert --csv --stats | tail -n +2 |
#     awk -F, '{print $9","$10","$1}' | sort -t, -k1,1nr -k2,2nr | head -100 | cut -d, -f3
# bench/data/qqwing-expert-9.txt holds 200 made by qqwing --generate 200 --difficulty expert --one-line.
# Exit status: 0 when every count agrees and every target is met, 1 when a count differs,
# 3 when a speed target is missed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORBEL_BUILD_DIR:-$root/build}
tool=$build/bench/quorbel-bench
count=${1:-20}
sets=("$root/bench/data/hard-9.txt" "$root/bench/data/qqwing-expert-9.txt")

. "$root/bench/peer_setup.sh"
if ! command -v hyperfine > /dev/null; then
  echo "Installing hyperfine (benchmark only)..."
  apt-get install -y -qq hyperfine > /dev/null || { apt-get update -qq && apt-get install -y -qq hyperfine > /dev/null; }
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
miss() { echo "  target missed: $1"; [ "$status" -eq 1 ] || status=3; }

# The median wall time in ms of each command, as hyperfine measured them.
medians() {
  hyperfine --warmup 3 --runs "$1" --style none --export-json "$work/h.json" "${@:2}" > /dev/null 2>&1
  python3 -c 'import json,sys; print(" ".join("%.2f" % (r["median"] * 1000) for r in json.load(open(sys.argv[1]))["results"]))' "$work/h.json"
}

echo "== Empty run (wall ms, median of 50)"
read -r our_empty qq_empty < <(medians 50 "$tool count /dev/null" "qqwing --solve < /dev/null")
echo "  quorbel-bench $our_empty   qqwing $qq_empty"
awk -v t="$our_empty" 'BEGIN { exit !(t >= 5) }' && miss "an empty run under 5 ms"

echo "== Count to 2"
for file in "${sets[@]}"; do
  name=$(basename "$file")
  qqwing --solve --count-solutions --nosolution < "$file" |
    sed -n -e 's/.*solution to the puzzle is unique.*/1/p' -e 's/^There are \([0-9]*\) solutions.*/\1/p' \
      -e 's/.*not possible.*/0/p' | awk '{ print ($1 > 2 ? 2 : $1) }' > "$work/qq.counts"
  "$tool" count --limit 2 --stats "$file" > "$work/our.out"
  grep -E '^-?[0-9]+$' "$work/our.out" > "$work/our.counts"
  if ! cmp -s "$work/qq.counts" "$work/our.counts"; then
    echo "  $name: the counts differ from qqwing's"
    status=1
  fi
  read -r our_ms qq_ms < <(medians 20 "$tool count --limit 2 $file" "qqwing --solve --count-solutions --nosolution < $file")
  ratio=$(awk -v q="$qq_ms" -v o="$our_ms" 'BEGIN { printf "%.2f", q / o }')
  puzzles=$(wc -l < "$work/our.counts")
  echo "  $name ($puzzles puzzles): wall ms quorbel $our_ms qqwing $qq_ms, qqwing/quorbel $ratio"
  awk -v r="$ratio" 'BEGIN { exit !(r < 3) }' && miss "3 times qqwing's speed on $name"
  for route in fast propagation; do
    "$tool" count --limit 2 --route "$route" --stats "$file" > "$work/route.out"
    total=$(sed -n 's/^puzzles=[0-9]* total_ms=\([0-9.]*\)$/\1/p' "$work/route.out")
    mean=$(awk -v t="$total" -v n="$puzzles" 'BEGIN { printf "%.1f", t * 1000 / n }')
    echo "    $route route in-process us: mean=$mean $(grep '^median_us=' "$work/route.out")"
    if [ "$route" = fast ] && [ "$name" = hard-9.txt ]; then
      awk -v m="$mean" 'BEGIN { exit !(m > 150) }' && miss "150 us per hard puzzle"
    fi
  done
done

echo "== Generation, $count puzzles each"
start=$(date +%s%N)
qqwing --generate "$count" --difficulty expert --one-line > /dev/null
qq_each=$(awk -v s="$start" -v e="$(date +%s%N)" -v n="$count" 'BEGIN { printf "%.1f", (e - s) / 1e6 / n }')
"$tool" generate --size 9 --level 4 --count "$count" --seed 1 > "$work/our.txt"
grep -E '^[0-9]{81}$' "$work/our.txt" | tr '0' '.' > "$work/our.puzzles"
unique=$(qqwing --solve --count-solutions --nosolution < "$work/our.puzzles" | grep -c 'solution to the puzzle is unique' || true)
our_median=$(sed -n 's/^median_ms=\([0-9.]*\).*/\1/p' "$work/our.txt")
echo "  9x9 Terrible (ours) median ms $our_median, $(grep '^median_ms=' "$work/our.txt" | cut -d' ' -f2);" \
  "qqwing expert ms per puzzle $qq_each; qqwing finds $unique of our $count unique"
[ "$unique" -eq "$count" ] || status=1
awk -v o="$our_median" -v q="$qq_each" 'BEGIN { exit !(o > q) }' && miss "Terrible 9x9 in no more time than qqwing's expert"

"$tool" generate --size 9 --shape irregular --make solution --count "$count" --seed 1 > "$work/run.txt"
echo "  irregular 9x9 random solutions: $(grep '^median_ms=' "$work/run.txt")"
n16=$(( (count + 3) / 4 ))
"$tool" generate --size 16 --shape irregular --level 3 --count "$n16" --seed 1 > "$work/run.txt"
irregular16=$(sed -n 's/^median_ms=\([0-9.]*\).*/\1/p' "$work/run.txt")
echo "  irregular 16x16 Difficult, $n16 puzzles: $(grep '^median_ms=' "$work/run.txt")"
awk -v m="$irregular16" 'BEGIN { exit !(m >= 5000) }' && miss "irregular 16x16 generation under 5 s"
for size in 9 12 16; do
  for level in 1 2 3 4; do
    n=$count
    [ "$size" -eq 16 ] && n=$n16
    "$tool" generate --size "$size" --level "$level" --count "$n" --seed 1 > "$work/run.txt"
    echo "  ${size}x${size} level $level, $n puzzles: $(grep '^median_ms=' "$work/run.txt")" \
      "$(grep '^levels=' "$work/run.txt")"
  done
done
exit $status
