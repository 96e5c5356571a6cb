#!/usr/bin/env bash
# Whole-process benchmark: builds a Release tree, writes the corpus (500 photos, a 10,000-point track)
# and times, as whole processes, the minimal reader, a minimal widget program (what Qt costs any widget
# program at start) and `pelmark console` headless and with --widgets (an empty script, the capture
# times of the 500 photos, and the track read), and `pelmark geotag` on the corpus against the minimal
# matcher (the same capture times and track, matched by binary search). Prints median and spread
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
cmake --build "$build" -j "$(nproc)" --target pelmark bench_make_corpus bench_minimal_reader bench_minimal_matcher \
  bench_minimal_widgets \
  >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
corpus="$work/corpus"
mkdir -p "$corpus"
"$build/bench/process/bench_make_corpus" "$corpus"
# `geotag` writes its waypoint file beside the track: into a copy, so the console's folder stays as is.
cp -r "$corpus" "$work/geotag"
settings="$work/settings"
mkdir -p "$settings"

: >"$work/empty.txt"
{
  echo "OpenFolder \"$corpus/P1000001.JPG\""
  for n in $(seq 1 500); do echo "TagExif 0 $n"; done
} >"$work/walk.txt"
printf ':file %s\n:click LoadTrack\nAnzahl\n' "$corpus/bench.t" >"$work/track.txt"

# The commands, each as "label|input|command words" (words split at blanks; no path here holds one).
commands=()
add() {
  local label=$1 input=$2
  shift 2
  commands+=("$label|$input|$*")
}

pelmark="$build/apps/pelmark"
minimal="$build/bench/process/bench_minimal_reader"
add "minimal: 500 capture times" "$work/empty.txt" "$minimal" photos "$corpus"
add "minimal: 10,000-point track" "$work/empty.txt" "$minimal" track "$corpus/bench.t"
add "minimal widget program" "$work/empty.txt" "$build/bench/process/bench_minimal_widgets"
for mode in headless widgets; do
  flags=(console --settings "$settings")
  [ "$mode" = widgets ] && flags+=(--widgets)
  add "$mode: empty script" "$work/empty.txt" "$pelmark" "${flags[@]}"
  add "$mode: 500 capture times" "$work/walk.txt" "$pelmark" "${flags[@]}"
  add "$mode: 10,000-point track" "$work/track.txt" "$pelmark" "${flags[@]}"
done
# The camera an hour behind the track's clock: every photo matches.
add "minimal matcher" "$work/empty.txt" "$build/bench/process/bench_minimal_matcher" "$work/geotag/bench.t" 3600
add "geotag: 500 photos x 10,000 points" "$work/empty.txt" "$pelmark" geotag "$work/geotag/bench.t" --offset 3600 \
  --behind

echo "machine: $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)," \
  "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min), build: $(grep -m1 CMAKE_BUILD_TYPE "$build/CMakeCache.txt" | cut -d= -f2)"
echo "runs per command: $runs, interleaved (median, min..max)"

# One untimed run of each warms the page cache. Then every round runs each command once, so a spell
# in which this shared machine runs slower falls on all of them alike and the ratios stay fair. The
# clock is bash's own (EPOCHREALTIME, microseconds): a time holds the command's fork, exec and run and
# nothing of the harness's (a `date` process at each end cost about 8 ms of every figure). Beside it,
# the mean CPU time the command used (user and system, bash's `time`, whole milliseconds), which other
# work on the machine disturbs far less than the wall time.
declare -A times cpus
TIMEFORMAT='%3U %3S'
for round in $(seq 0 "$runs"); do
  for entry in "${commands[@]}"; do
    IFS='|' read -r label input words <<<"$entry"
    read -ra command <<<"$words"
    start=${EPOCHREALTIME/./}
    { time "${command[@]}" <"$input" >/dev/null 2>&1; } 2>"$work/cpu"
    end=${EPOCHREALTIME/./}
    read -r user system <"$work/cpu"
    if [ "$round" -gt 0 ]; then
      times[$label]+="$((end - start)) "
      cpus[$label]+="$((10#${user/./} + 10#${system/./})) "
    fi
  done
done
mean() { printf '%s\n' "$@" | awk '{ sum += $1 } END { print sum / NR }'; }
printf '%-36s %8s   %-13s %s\n' "" "wall" "min..max" "CPU mean"
for entry in "${commands[@]}"; do
  label=${entry%%|*}
  printf '%s\n' ${times[$label]} | sort -n | awk -v label="$label" -v cpu="$(mean ${cpus[$label]})" '
    { t[NR] = $1 }
    END { printf "%-36s %5.1f ms   %-13s %5.1f ms\n", label, t[int((NR + 1) / 2)] / 1000,
                 sprintf("%.1f..%.1f", t[1] / 1000, t[NR] / 1000), cpu }'
done
