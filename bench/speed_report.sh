#!/usr/bin/env bash
# The speed of the search and the generator in one run:
#   1. the wall time of an empty run of quorbel-bench;
#   2. counting to 2 on our 9x9 sets: wall time (hyperfine medians, hyperfine installed when
#      missing), and in-process time per puzzle (mean, median, worst) on the fast route and on
#      the general route (--route propagation, as SEARCHBYPROPAGATION forces), the counts of
#      both routes compared;
#   3. generation: Terrible 9x9, irregular 9x9 random solutions, irregular 16x16, and each
#      level at 9x9, 12x12 and 16x16 (medians and worsts);
#   4. 100 Terrible 9x9 puzzles beside qqwing's 100 expert ones (a peer generator, installed when
#      missing), CPU seconds of each, the median of three turns taken in alternation; ours must be
#      unique, rated Terrible and made at least as fast.
#   bench/speed_report.sh [N]        (N puzzles per generation figure, default 20)
# With QUORBEL_BASE_BUILD set to another build folder (the landed main's, say), step 4 times its
# quorbel-bench too, in the same turns, and says whether it made the same puzzles.
# The sets of bench/data are made by bench/make_puzzle_sets.sh.
# Exit status: 0 when every count agrees and every target is met, 1 when a count differs,
# 3 when a speed target is missed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORBEL_BUILD_DIR:-$root/build}
tool=$build/bench/quorbel-bench
count=${1:-20}
sets=("$root/bench/data/hard-9.txt" "$root/bench/data/terrible-9.txt")

[ -x "$tool" ] || cmake -S "$root" -B "$build" -G Ninja > /dev/null
cmake --build "$build" --target quorbel-bench > /dev/null
command -v hyperfine > /dev/null || "$root/scripts/install_packages.sh" hyperfine

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
our_empty=$(medians 50 "$tool count /dev/null")
echo "  quorbel-bench $our_empty"
awk -v t="$our_empty" 'BEGIN { exit !(t >= 5) }' && miss "an empty run under 5 ms"

echo "== Count to 2"
for file in "${sets[@]}"; do
  name=$(basename "$file")
  puzzles=$(grep -c . "$file")
  wall=$(medians 20 "$tool count --limit 2 $file")
  echo "  $name ($puzzles puzzles): wall ms $wall"
  for route in fast propagation; do
    "$tool" count --limit 2 --route "$route" --stats "$file" > "$work/$route.out"
    total=$(sed -n 's/^puzzles=[0-9]* total_ms=\([0-9.]*\)$/\1/p' "$work/$route.out")
    mean=$(awk -v t="$total" -v n="$puzzles" 'BEGIN { printf "%.1f", t * 1000 / n }')
    echo "    $route route in-process us: mean=$mean $(grep '^median_us=' "$work/$route.out")"
    if [ "$route" = fast ] && [ "$name" = hard-9.txt ]; then
      awk -v m="$mean" 'BEGIN { exit !(m > 150) }' && miss "150 us per hard puzzle"
    fi
    grep -E '^-?[0-9]+$' "$work/$route.out" > "$work/$route.counts"
  done
  if ! cmp -s "$work/fast.counts" "$work/propagation.counts"; then
    echo "  $name: the two routes count differently"
    status=1
  fi
done

echo "== Generation, $count puzzles each"
"$tool" generate --size 9 --level 4 --count "$count" --seed 1 > "$work/our.txt"
grep -E '^[0-9]{81}$' "$work/our.txt" > "$work/our.puzzles"
unique=$("$tool" count --limit 2 "$work/our.puzzles" | grep -c '^1$' || true)
echo "  9x9 Terrible: $(grep '^median_ms=' "$work/our.txt"), $unique of $count unique by our count"
[ "$unique" -eq "$count" ] || status=1

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
echo "== 100 Terrible 9x9 puzzles beside qqwing --generate 100 --difficulty expert (CPU s)"
command -v qqwing > /dev/null || "$root/scripts/install_packages.sh" qqwing
cpu() { # the CPU seconds (user + system) of a command, its output into $work/cpu.out
  /usr/bin/time -f "%U %S" -o "$work/cpu.time" "$@" > "$work/cpu.out" 2> /dev/null
  awk '{ printf "%.2f\n", $1 + $2 }' "$work/cpu.time"
}
ours=() theirs=() base=()
base_tool=${QUORBEL_BASE_BUILD:+$QUORBEL_BASE_BUILD/bench/quorbel-bench}
for turn in 1 2 3; do
  ours+=("$(cpu "$tool" generate --size 9 --level 4 --count 100 --seed "$turn")")
  grep -E '^[0-9]{81}$' "$work/cpu.out" > "$work/terrible.puzzles"
  levels=$(sed -n 's/^levels=//p' "$work/cpu.out")
  unique=$("$tool" count --limit 2 "$work/terrible.puzzles" | grep -c '^1$' || true)
  if [ "$levels" != "0,0,0,100,0" ] || [ "$unique" -ne 100 ]; then
    echo "  seed $turn: levels $levels, $unique of 100 unique"
    status=1
  fi
  if [ -n "$base_tool" ]; then
    base+=("$(cpu "$base_tool" generate --size 9 --level 4 --count 100 --seed "$turn")")
    grep -E '^[0-9]{81}$' "$work/cpu.out" | cmp -s - "$work/terrible.puzzles" ||
      echo "  seed $turn: the base build made other puzzles"
  fi
  theirs+=("$(cpu qqwing --generate 100 --difficulty expert)")
done
median3() { printf "%s\n" "$@" | sort -n | sed -n 2p; }
our_cpu=$(median3 "${ours[@]}")
qq_cpu=$(median3 "${theirs[@]}")
echo "  quorbel-bench ${ours[*]} (median $our_cpu); qqwing ${theirs[*]} (median $qq_cpu)"
[ -n "$base_tool" ] && echo "  base build's quorbel-bench ${base[*]} (median $(median3 "${base[@]}"))"
awk -v a="$our_cpu" -v b="$qq_cpu" 'BEGIN { exit !(a > b) }' && miss "Terrible 9x9 at least as fast as qqwing's expert"
exit $status
