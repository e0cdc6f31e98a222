#!/usr/bin/env bash
# Our scan (libundelete.so + the engine) against du, gdu and ncdu over the same folder tree,
# warm cache: one warm-up run each, then RUNS rounds in which every tool runs once (so a busy
# machine slows all of them alike); whole processes are timed and the medians compared.
#
# bench/real_folders.sh [folder] [build dir]      defaults: /usr build/native; RUNS=5
set -u
folder=${1:-/usr}
build=${2:-build/native}
runs=${RUNS:-5}
ours="$build/bin/real_folders_bench"
if [ ! -x "$ours" ]; then
  echo "missing $ours: cmake --build $build --target real_folders_bench" >&2
  exit 1
fi

names=("ours (real_folders_bench)" "du -s --apparent-size" "gdu -n -p -c" "ncdu -o /dev/null -x")
run_tool() {
  case $1 in
    0) "$ours" "$folder" 1 ;;
    1) du -s --apparent-size "$folder" ;;
    2) gdu -n -p -c "$folder" ;;
    3) ncdu -o /dev/null -x "$folder" ;;
  esac >/dev/null 2>&1
}

declare -a times
for tool in 0 1 2 3; do
  run_tool $tool  # warm-up
  times[tool]=""
done
for ((round = 0; round < runs; round++)); do
  for tool in 0 1 2 3; do
    t0=$(date +%s%N)
    run_tool $tool
    t1=$(date +%s%N)
    times[tool]+="$(((t1 - t0) / 1000)) "
  done
done

median() {
  printf '%s\n' $1 | sort -n | awk '{a[NR]=$1} END {
    m = (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2; printf "%.3f", m / 1e6 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "folder $folder, median of $runs rounds after one warm-up"
"$ours" "$folder" 1 | tail -1
m_ours=$(median "${times[0]}")
printf '%-28s %8s s\n' "${names[0]}" "$m_ours"
fastest=""
for tool in 1 2 3; do
  m=$(median "${times[tool]}")
  printf '%-28s %8s s   ours/this = %s\n' "${names[tool]}" "$m" "$(ratio "$m_ours" "$m")"
  if [ -z "$fastest" ] || awk -v a="$m" -v b="$fastest" 'BEGIN { exit !(a < b) }'; then
    fastest=$m
  fi
done
echo "ours / fastest of them = $(ratio "$m_ours" "$fastest") (below 1 is faster)"
