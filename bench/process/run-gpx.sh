#!/usr/bin/env bash
# Whole-process benchmark on GPX tracks: `pelmark geotag` against the minimal GPX matcher (the same
# capture times and GPX points, the same XML library, matched by binary search), timed in one
# interleaved run, and gpscorrelate on the same work where it is installed (it only reads: -n).
#   small: 500 photos in one folder against a 10,000-point track
#   large: 10,000 photos in 20 folders against a one-million-point track, with the peak memory
# Prints median and spread (min..max) in milliseconds. RUNS sets the runs of each command (default 11
# for the small corpus, a third of that for the large one). BUILD names an existing build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD:-$root/build/bench}
runs=${RUNS:-11}
export TZ=UTC LC_ALL=C

if [ -z "${BUILD:-}" ]; then
  "$root/scripts/deps.sh" >/dev/null
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELMARK_WERROR=ON >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target pelmark bench_make_corpus bench_make_gpx bench_minimal_gpx_matcher \
  >/dev/null
process="$build/bench/process"
pelmark="$build/apps/pelmark"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/small" "$work/large"
"$process/bench_make_corpus" "$work/small" 500 1
"$process/bench_make_gpx" points 10000 "$work/small/track.gpx"
"$process/bench_make_corpus" "$work/large" 10000 20
"$process/bench_make_gpx" points 1000000 "$work/large/track.gpx"
large_folders=("$work"/large/f*)

# Each as "label|command words"; the camera on GPS time plus two hours, as the minimal matcher reads it.
small=(
  "minimal: 500 x 10,000|$process/bench_minimal_gpx_matcher $work/small/track.gpx $work/small/f01"
  "geotag: 500 x 10,000|$pelmark geotag --offset 0 --photos $work/small/f01 $work/small/track.gpx"
)
large=(
  "minimal: 10,000 x 1,000,000|$process/bench_minimal_gpx_matcher $work/large/track.gpx ${large_folders[*]}"
  "geotag: 10,000 x 1,000,000|$pelmark geotag --offset 0 --photos $work/large --recursive $work/large/track.gpx"
)
if command -v gpscorrelate >/dev/null; then
  small+=("gpscorrelate: 500 x 10,000|gpscorrelate -n -i -z +02:00 -g $work/small/track.gpx $(echo "$work"/small/f01/*)")
fi

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min)"

# One untimed run of each warms the page cache; every round then runs each command once (see run.sh).
measure() { # runs, then the entries
  local rounds=$1 entry label words start end
  shift
  declare -A times
  for round in $(seq 0 "$rounds"); do
    for entry in "$@"; do
      IFS='|' read -r label words <<<"$entry"
      read -ra command <<<"$words"
      start=${EPOCHREALTIME/./}
      "${command[@]}" >/dev/null 2>&1 || [ $? -eq 1 ]
      end=${EPOCHREALTIME/./}
      [ "$round" -gt 0 ] && times[$label]+="$((end - start)) "
    done
  done
  for entry in "$@"; do
    label=${entry%%|*}
    printf '%s\n' ${times[$label]} | sort -n | awk -v label="$label" '
      { t[NR] = $1 }
      END { printf "%-34s %8.1f ms   %s\n", label, t[int((NR + 1) / 2)] / 1000,
                   sprintf("%.1f..%.1f", t[1] / 1000, t[NR] / 1000) }'
  done
}
echo "runs: $runs (small), $(((runs + 2) / 3)) (large), interleaved (median, min..max)"
measure "$runs" "${small[@]}"
measure $(((runs + 2) / 3)) "${large[@]}"
for entry in "${large[@]}"; do
  IFS='|' read -r label words <<<"$entry"
  read -ra command <<<"$words"
  /usr/bin/time -f '%M' -o "$work/peak" "${command[@]}" >/dev/null 2>&1 || true
  printf '%-34s %8.1f MB peak\n' "$label" "$(echo "$(cat "$work/peak") / 1024" | bc -l)"
done
