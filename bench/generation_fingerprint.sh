#!/usr/bin/env bash
# The grids the generator makes, seed by seed, with no time limit on counts (so that the figures do
# not hang on the machine's load): one line per row, size and seed. Two trees that print the same
# lines generate the same grids.
#   bench/generation_fingerprint.sh [JOBS] [SIZE...]   (JOBS default 4; sizes default 6 9)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORBEL_BUILD_DIR:-$root/build}
tool=$build/bench/quorbel-bench
jobs=${1:-4}
shift $(($# < 1 ? $# : 1))
sizes=("${@:-6 9}")

one() { # SIZE ROW: one line per seed
  local size=$1 row=$2 rules=$2 grids=2
  case $row in
    16) rules=14,16 ;;
    9) rules=7,9 ;;
    62) grids=4 ;;
  esac
  for seed in 1 2; do
    local out
    out=$(timeout 120 "$tool" generate --size "$size" --level 2 --count 1 --seed "$seed" --rules "$rules" \
      --grids "$grids" --timeover -1 2> /dev/null | grep -Ev '_ms=') || out="failed"
    echo "$size $row $seed $(tr '\n' ' ' <<< "$out")"
  done
}
export -f one
export tool

for size in ${sizes[*]}; do
  "$tool" rows --size "$size" | awk -v s="$size" '{ print s, $1 }'
done | xargs -P "$jobs" -L 1 bash -c 'one "$0" "$1"' | sort -k1,1n -k2,2n -k3,3n
