#!/usr/bin/env bash
# Compares `pelmark geotag --interpolate` with exiftool's -geotag on the same photos and GPX track, where
# exiftool is installed (`apt-get install libimage-exiftool-perl`): exiftool writes into copies of the
# photos and reads the positions back, pelmark writes GPX waypoints; every photo's latitude and
# longitude must agree within 1e-6 degrees. Points lie 7 s apart, so nearly every photo falls between
# two of them. BUILD names an existing build folder (default: a Release build in build/bench).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build/bench}
command -v exiftool >/dev/null || { echo "exiftool is not installed: nothing to compare"; exit 0; }
if [ -z "${BUILD:-}" ]; then
  "$root/scripts/deps.sh" >/dev/null
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELMARK_WERROR=ON >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target pelmark bench_make_corpus bench_make_gpx >/dev/null
process="$build/bench/process"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# 200 photos taken at 09:00:01 ... 09:03:20 on a camera on summer time in Berlin (07:00:01Z ...), and
# a track from 06:00:00Z with a point every 7 s.
"$process/bench_make_corpus" "$work" 200 1
"$process/bench_make_gpx" points 2000 "$work/track.gpx" 1060840800 7
cp -r "$work/f01" "$work/copies"

"$build/apps/pelmark" geotag --camera-tz Europe/Berlin --interpolate 120 --photos "$work/f01" \
  --gpx "$work/pelmark.gpx" --report csv "$work/track.gpx" >/dev/null 2>&1
TZ=Europe/Berlin exiftool -q -q -overwrite_original -api GeoMaxIntSecs=120 -api GeoMaxExtSecs=120 \
  -geotag "$work/track.gpx" "$work/copies"
exiftool -q -q -n -csv -FileName -GPSLatitude -GPSLongitude "$work/copies" >"$work/exiftool.csv"

python3 - "$work/pelmark.gpx" "$work/exiftool.csv" <<'PY'
import csv, sys, xml.etree.ElementTree as tree
ns = {"g": "http://www.topografix.com/GPX/1/1"}
ours = {w.find("g:name", ns).text: (float(w.get("lat")), float(w.get("lon")))
        for w in tree.parse(sys.argv[1]).getroot().findall("g:wpt", ns)}
theirs = {r["FileName"]: (float(r["GPSLatitude"]), float(r["GPSLongitude"]))
          for r in csv.DictReader(open(sys.argv[2])) if r.get("GPSLatitude")}
worst = max((max(abs(a - b) for a, b in zip(ours[n], theirs[n])) for n in ours.keys() & theirs.keys()), default=0)
print(f"photos placed: pelmark {len(ours)}, exiftool {len(theirs)}, both {len(ours.keys() & theirs.keys())}; "
      f"largest difference {worst:.2e} degrees")
sys.exit(0 if ours.keys() == theirs.keys() and ours and worst <= 1e-6 else 1)
PY
