#!/usr/bin/env bash
# How long `pelmark` takes to answer when a photo or track is no regular file: a FIFO named like a
# photo, a FIFO named like a track, /dev/zero and a link loop named like photos. Each case is one
# whole process (a console session of one load, or `pelmark geotag`), timed with bash's own clock,
# beside the same process given a missing file; the median of RUNS runs is printed in milliseconds.
# Usage: bench/hostile-files.sh [PELMARK] [RUNS]   (default build/release/apps/pelmark, 21 runs)
# A case that does not answer within 5 s is killed and shown as "hangs".
set -euo pipefail
pelmark=${1:-build/release/apps/pelmark} runs=${2:-21}
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
mkfifo "$work/fifo.jpg" "$work/fifo.t"
ln -s /dev/zero "$work/zero.jpg"
ln -s "$work/loop.jpg" "$work/loop.jpg"

median_ms() { # command...: median wall time of `runs` runs, or "hangs"
  local times=() start end
  for ((i = 0; i < runs; i++)); do
    start=$EPOCHREALTIME
    timeout 5 "$@" >/dev/null 2>&1 </dev/null || [ $? -ne 124 ] || { echo hangs; return; }
    end=$EPOCHREALTIME
    times+=("$start $end")
  done
  printf '%s\n' "${times[@]}" | awk '{print ($2 - $1) * 1000}' | sort -g |
    awk '{a[NR]=$1} END {printf "%.1f\n", a[int((NR+1)/2)]}'
}
console() { # file, then the lines of one session
  local script="$work/script.in" mode=$1; shift
  printf '%s\n' "$@" >"$script"
  median_ms bash -c "exec \"$pelmark\" console $mode --settings \"$work\" <\"$script\""
}

printf '%-40s %10s %10s\n' case headless widgets
for photo in missing.jpg fifo.jpg zero.jpg loop.jpg; do
  printf '%-40s %10s %10s\n' "LoadPictures $photo" "$(console '' "LoadPictures \"$work/$photo\"")" \
    "$(console --widgets "LoadPictures \"$work/$photo\"")"
done
for track in missing.t fifo.t; do
  printf '%-40s %10s %10s\n' "1. Load Track $track" "$(console '' ":file $work/$track" ':click LoadTrack')" \
    "$(console --widgets ":file $work/$track" ':click LoadTrack')"
  printf '%-40s %10s\n' "pelmark geotag $track" "$(median_ms "$pelmark" geotag "$work/$track")"
done
