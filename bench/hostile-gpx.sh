#!/usr/bin/env bash
# Hostile GPX tracks through `pelmark geotag`, once each: a gigabyte of blanks between two points, a
# gigabyte of blanks inside one tag, a million points, elements nested a million deep, entities that
# would expand to a billion bytes, and a file cut off in a point. Each must end with a clear error or a
# run, in bounded memory and without a crash; printed with the exit code, the wall time, the peak
# memory of the whole process, and the first line of what it said.
# Usage: bench/hostile-gpx.sh [BUILD]   (default build/release; builds pelmark and bench_make_gpx there)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
cmake --build "$build" --target pelmark bench_make_gpx >/dev/null
make_gpx="$build/bench/process/bench_make_gpx" pelmark="$build/apps/pelmark"
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
mkdir "$work/photos"

cases=(
  "blanks 1073741824" "a gigabyte of blanks between two points"
  "tag 1073741824" "a gigabyte of blanks in a tag"
  "points 1000000" "a million points"
  "deep 1000000" "nested a million deep"
  "laughs" "a billion laughs"
  "cut" "cut off in a point"
)
printf '%-42s %5s %8s %9s  %s\n' case exit seconds "peak MB" said
for ((i = 0; i < ${#cases[@]}; i += 2)); do
  read -ra words <<<"${cases[i]}"
  file="$work/hostile.gpx"
  "$make_gpx" "${words[0]}" ${words[1]:+"${words[1]}"} "$file"
  set +e
  /usr/bin/time -f '%e %M' -o "$work/time" "$pelmark" geotag --photos "$work/photos" --dry-run "$file" \
    >"$work/out" 2>"$work/err"
  code=$?
  set -e
  read -r seconds kilobytes < <(tail -n1 "$work/time")
  said=$(head -n1 "$work/err")
  [ -n "$said" ] || said=$(grep -m1 '^track' "$work/out")
  printf '%-42s %5s %8s %9.1f  %s\n' "${cases[i + 1]}" "$code" "$seconds" "$(echo "$kilobytes / 1024" | bc -l)" \
    "${said:0:110}"
  rm -f "$file"
done
