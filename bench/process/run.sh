#!/usr/bin/env bash
# Whole-process benchmark: builds a Release tree, writes the corpus (500 photos, a 10,000-point track)
# and times, as whole processes, the minimal reader, a minimal widget program (what Qt costs any widget
# program at start) and `pelmark console` headless and with --widgets: an empty script, the capture times of the 500 photos, and the track read. Prints median and spread
# (min..max) in milliseconds. RUNS sets the number of runs of each command (default 21). BUILD names an
# existing build folder to use instead of configuring a Release one (on a busy machine, to save a build).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD:-$root/build/bench}
runs=${RUNS:-21}
export TZ=UTC LC_ALL=C QT_QPA_PLATFORM=offscreen

if [ -z "${BUILD:-}" ]; then
  "$root/scripts/deps.sh" >/dev/null
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELMARK_WERROR=ON >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target pelmark bench_make_corpus bench_minimal_reader bench_minimal_widgets \
  >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
corpus="$work/corpus"
mkdir -p "$corpus"
"$build/bench/process/bench_make_corpus" "$corpus"
settings="$work/settings"
mkdir -p "$settings"

: >"$work/empty.txt"
{
  echo "OpenFolder \"$corpus/P1000001.JPG\""
  for n in $(seq 1 500); do echo "TagExif 0 $n"; done
} >"$work/walk.txt"
printf ':file %s\n:click LoadTrack\nAnzahl\n' "$corpus/bench.t" >"$work/track.txt"

# Times one command `runs` times (after one untimed run that warms the page cache) and prints
# "label  median  min..max". The clock is bash's own (EPOCHREALTIME, microseconds), so a time holds the
# command's fork, exec and run and nothing of the harness's (a `date` process at each end cost about
# 8 ms of every figure).
measure() {
  local label=$1 input=$2
  shift 2
  local times=()
  "$@" <"$input" >/dev/null 2>&1
  for _ in $(seq 1 "$runs"); do
    local start end
    start=${EPOCHREALTIME/./}
    "$@" <"$input" >/dev/null 2>&1
    end=${EPOCHREALTIME/./}
    times+=($((end - start)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk -v label="$label" '
    { t[NR] = $1 }
    END { printf "%-34s %8.1f ms   %.1f..%.1f\n", label, t[int((NR + 1) / 2)] / 1000, t[1] / 1000, t[NR] / 1000 }'
}

pelmark="$build/apps/pelmark"
minimal="$build/bench/process/bench_minimal_reader"
echo "machine: $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)," \
  "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min), build: $(grep -m1 CMAKE_BUILD_TYPE "$build/CMakeCache.txt" | cut -d= -f2)"
echo "runs per command: $runs (median, min..max)"
measure "minimal: 500 capture times" "$work/empty.txt" "$minimal" photos "$corpus"
measure "minimal: 10,000-point track" "$work/empty.txt" "$minimal" track "$corpus/bench.t"
measure "minimal widget program" "$work/empty.txt" "$build/bench/process/bench_minimal_widgets"
for mode in headless widgets; do
  flags=(console --settings "$settings")
  [ "$mode" = widgets ] && flags+=(--widgets)
  measure "$mode: empty script" "$work/empty.txt" "$pelmark" "${flags[@]}"
  measure "$mode: 500 capture times" "$work/walk.txt" "$pelmark" "${flags[@]}"
  measure "$mode: 10,000-point track" "$work/track.txt" "$pelmark" "${flags[@]}"
done
