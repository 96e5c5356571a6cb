#!/usr/bin/env bash
# Makes docs/images/control-start.png and control-waypoints.png from the current code: builds the
# picture tool, writes the sample trip to a scratch folder and shows it on Qt's offscreen platform, in a
# settings folder of its own (the user's stored GARtrip path stays untouched).
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
"$build/apps/pelmark-screenshots" "$scratch/Ausflug München" "$root/docs/images"
echo "written: docs/images/control-start.png docs/images/control-waypoints.png"
