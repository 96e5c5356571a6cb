#!/usr/bin/env bash
# Makes docs/images/control-start.png, control-waypoints.png, results-offer.png and track-view.png from the current
# code: builds the picture tool, writes the sample trip (and one whose camera runs an hour ahead) to a
# scratch folder and shows them on Qt's offscreen platform, in a settings folder of its own (the user's
# stored GARtrip path and window stay untouched).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PELMARK_BUILD:-$root/build/release}
export TZ=UTC LC_ALL=C QT_QPA_PLATFORM=offscreen
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target pelmark pelmark-screenshots
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config
"$build/apps/pelmark" sample "$scratch/Ausflug München"
"$build/apps/pelmark" sample "$scratch/Kamera vor" --camera-ahead 3600
"$build/apps/pelmark-screenshots" "$scratch/Ausflug München" "$scratch/Kamera vor" "$root/docs/images"
echo "written: docs/images/control-start.png control-waypoints.png results-offer.png track-view.png"
