#!/usr/bin/env bash
# The new user's path through the window under a real X server: writes the sample trip whose camera
# runs an hour ahead, starts Xvfb and walks through it (apps/walkthrough). Settings go to a scratch
# folder, so the user's own window and GARtrip path stay untouched.
# Usage: scripts/walkthrough.sh [PELMARK PELMARK-WALKTHROUGH]   (default: build/release)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pelmark=${1:-$root/build/release/apps/pelmark}
walkthrough=${2:-$root/build/release/apps/pelmark-walkthrough}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export TZ=UTC LC_ALL=C HOME=$scratch XDG_CONFIG_HOME=$scratch/config
QT_QPA_PLATFORM=offscreen "$pelmark" sample "$scratch/Kamera vor" --camera-ahead 3600
# A laptop's screen, and a large one at twice the scale.
for screen in "1366x768 1" "1600x1000 2"; do
  set -- $screen
  rm -f "$scratch/Kamera vor/"*.wp "$scratch/config/Pelmark/Pelmark.ini"
  echo "== on $1 at scale $2"
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$2 xvfb-run --auto-servernum --server-args="-screen 0 ${1}x24" \
    "$walkthrough" "$scratch/Kamera vor"
done
