#!/usr/bin/env bash
# Counting hard classic 9x9 puzzles to two solutions, beside qqwing's count (a peer solver,
# installed when missing), on the same puzzles in one run: the CPU seconds (user + system) of
# each over the set repeated REPEAT times, the median of three turns taken in alternation.
# Every puzzle must count one solution with both.
#   bench/count_vs_qqwing.sh [REPEAT] [FILE]    (default 200 and bench/data/puzzles-9.txt)
# qqwing solves each puzzle as well as counting its solutions; ours only counts.
# Exit status: 0 when both count one solution everywhere, 1 when a count differs.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORBEL_BUILD_DIR:-$root/build}
tool=$build/bench/quorbel-bench
repeat=${1:-200}
file=${2:-$root/bench/data/puzzles-9.txt}

[ -x "$tool" ] || cmake -S "$root" -B "$build" -G Ninja > /dev/null
cmake --build "$build" --target quorbel-bench > /dev/null
command -v qqwing > /dev/null || "$root/scripts/install_packages.sh" qqwing

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
puzzles=$(grep -c . "$file")
for _ in $(seq "$repeat"); do grep . "$file"; done > "$work/all.txt"
total=$((puzzles * repeat))

cpu() { # the CPU seconds of a command, its output into $work/cpu.out
  /usr/bin/time -f "%U %S" -o "$work/cpu.time" "$@" > "$work/cpu.out" 2> /dev/null
  awk '{ printf "%.2f\n", $1 + $2 }' "$work/cpu.time"
}

status=0
ours=() theirs=()
for turn in 1 2 3; do
  ours+=("$(cpu "$tool" count --limit 2 "$work/all.txt")")
  unique=$(grep -c '^1$' "$work/cpu.out" || true)
  [ "$unique" -eq "$total" ] || { echo "  quorbel-bench: $unique of $total count one solution"; status=1; }
  theirs+=("$(cpu sh -c "qqwing --solve --count-solutions --one-line --nosolution < '$work/all.txt'")")
  unique=$(grep -c 'solution to the puzzle is unique' "$work/cpu.out" || true)
  [ "$unique" -eq "$total" ] || { echo "  qqwing: $unique of $total count one solution"; status=1; }
done
median3() { printf "%s\n" "$@" | sort -n | sed -n 2p; }
our_cpu=$(median3 "${ours[@]}")
qq_cpu=$(median3 "${theirs[@]}")
echo "== Count to 2: $(basename "$file") ($puzzles puzzles) x $repeat = $total counts (CPU s)"
echo "  quorbel-bench ${ours[*]} (median $our_cpu); qqwing ${theirs[*]} (median $qq_cpu)"
awk -v a="$our_cpu" -v b="$qq_cpu" -v n="$total" \
  'BEGIN { printf "  per puzzle: ours %.1f us, qqwing %.1f us; qqwing / ours = %.2f\n", a * 1e6 / n, b * 1e6 / n, (a > 0 ? b / a : 0) }'
exit $status
