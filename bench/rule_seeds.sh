#!/usr/bin/env bash
# One puzzle a run, as a player asks for it: for every catalogue row the generator makes at a size,
# `quorbel-bench generate --rules ROW --count 1 --seed S` for seeds 1 to SEEDS (each its own process),
# then per row the median and worst CPU time of a run (and the worst seed), how many were counted
# unique and how many rated at the level asked (a linked set is not rated: 0). CPU seconds
# (user + system) rather than wall time, since the machine may be busy.
#   bench/rule_seeds.sh [LEVEL] [SIZE] [JOBS] [ROW...]   (level default 3, Difficult; size default 9;
#                                                        JOBS rows at once, default 1; rows default all)
# Environment: SEEDS (default 64: fewer hid the slow seeds of a row); GRIDS, the grids of a set
# (default 2, and 4 for the hidden-variant set); QUORBEL_BASE_BUILD, another build tree whose tool
# runs each seed beside ours, its figures printed first on the row, so that two builds are compared
# in one run; TIMEOVER, the time limit of each count in ms (-1 none, so that a busy machine changes
# no grid; default the generator's own).
# Kimo goes with Killer Sum and All Indicated with XV.
# Exit status 3 when a row of ours misses its target: at 9x9 up to Difficult median 1.5 s and
# worst 5 s, at Terrible worst 10 s, and a set of more than two grids linked by a rule worst 1.5 s
# up to Difficult; at 16x16 worst 15 s.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORBEL_BUILD_DIR:-$root/build}
tool=$build/bench/quorbel-bench
base=${QUORBEL_BASE_BUILD:+$QUORBEL_BASE_BUILD/bench/quorbel-bench}
seeds=${SEEDS:-64}
grids=${GRIDS:-}
level=${1:-3}
size=${2:-9}
jobs=${3:-1}
shift $(($# < 3 ? $# : 3))

# TOOL ROW SEED: "cpu_ms unique at_level" of one run, or "failed".
one_run() {
  local tool=$1 row=$2 seed=$3 rules=$2 set=${grids:-2} timing out
  case $row in
    16) rules=14,16 ;;
    9) rules=7,9 ;;
    62) set=${grids:-4} ;;
  esac
  local limit=()
  [ -n "${TIMEOVER:-}" ] && limit=(--timeover "$TIMEOVER")
  timing=$(mktemp)
  if ! out=$(/usr/bin/time -f "%U %S" -o "$timing" "$tool" generate --size "$size" --level "$level" --count 1 \
    --seed "$seed" --rules "$rules" --grids "$set" "${limit[@]}" 2> /dev/null); then
    rm -f "$timing"
    echo failed
    return
  fi
  local rated
  rated=$(sed -n 's/^levels=//p' <<< "$out" | cut -d, -f"$level")
  awk -v u="$(sed -n 's/^unique=//p' <<< "$out")" -v l="${rated:-0}" \
    '{ printf "%.0f %d %d\n", ($1 + $2) * 1000, u, l }' "$timing"
  rm -f "$timing"
}

# Whether the row is a rule linking the grids of a set (the hidden-variant set aside).
linked_row() { [ "$1" -ge 55 ] && [ "$1" -le 63 ] && [ "$1" -ne 62 ]; }

# Lines "seed cpu_ms unique at_level" on stdin: "median worst worst_seed unique at_level" (worst
# seed last on ties).
summary() {
  sort -k2,2n | awk '{ s[NR] = $1; t[NR] = $2; u += $3; l += $4 } END {
    m = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
    printf "%.0f %.0f %d %d %d\n", m, t[NR], s[NR], u, l }'
}

one_row() { # ROW NAME: prints the row's line
  local row=$1 name=$2 ours="" theirs="" r
  for seed in $(seq 1 "$seeds"); do
    if [ -n "$base" ]; then
      r=$(one_run "$base" "$row" "$seed")
      [ "$r" = failed ] && { printf "%-4s %-24s base failed at seed %d\n" "$row" "$name" "$seed"; return; }
      theirs+="$seed $r"$'\n'
    fi
    r=$(one_run "$tool" "$row" "$seed")
    [ "$r" = failed ] && { printf "%-4s %-24s failed at seed %d\n" "$row" "$name" "$seed"; return; }
    ours+="$seed $r"$'\n'
  done
  read -r m w ws u l <<< "$(summary <<< "${ours%$'\n'}")"
  local line
  line=$(printf "%-4s %-24s" "$row" "$name")
  if [ -n "$base" ]; then
    read -r bm bw bws bu bl <<< "$(summary <<< "${theirs%$'\n'}")"
    line+=$(printf " %8d %8d %4d %3d/%d %3d |" "$bm" "$bw" "$bws" "$bu" "$seeds" "$bl")
  fi
  line+=$(printf " %8d %8d %4d %3d/%d %3d" "$m" "$w" "$ws" "$u" "$seeds" "$l")
  local miss=0
  if [ "$size" -eq 9 ] && [ "$level" -ge 4 ]; then
    [ "$w" -gt 10000 ] && miss=1
  elif [ "$size" -eq 9 ]; then
    [ "$m" -gt 1500 ] || [ "$w" -gt 5000 ] && miss=1
    [ "${grids:-2}" -gt 2 ] && linked_row "$row" && [ "$w" -gt 1500 ] && miss=1
  elif [ "$size" -eq 16 ]; then
    [ "$w" -gt 15000 ] && miss=1
  fi
  [ "$miss" -eq 1 ] && line+="  target missed"
  echo "$line"
}
export -f one_run summary one_row linked_row
export tool base seeds grids level size

header=$(printf "%-4s %-24s" row "rule (size $size, level $level${grids:+, $grids grids})")
[ -n "$base" ] && header+=$(printf " %8s %8s %4s %5s %3s |" base_med base_wst seed unique lvl)
header+=$(printf " %8s %8s %4s %5s %3s" med_ms worst_ms seed unique lvl)
echo "$header"
if [ $# -gt 0 ]; then
  list=$("$tool" rows --size "$size" | grep -E "^($(IFS='|'; echo "$*")) ")
else
  list=$("$tool" rows --size "$size")
fi
report=$(xargs -P "$jobs" -L 1 bash -c 'one_row "$0" "$*"' <<< "$list" | sort -n)
echo "$report"
! grep -q "target missed\|failed" <<< "$report" || exit 3
