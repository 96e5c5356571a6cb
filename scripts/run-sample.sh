#!/bin/sh
# Builds pelmark, writes the sample trip if it is not there yet, and shows the control on it: in a
# window where there is a display, otherwise as a console session that prints what the control shows.
#
#   scripts/run-sample.sh            build into ./build/release (the test command's normal build), sample trip in ./build/sample-trip
#   PELMARK_BUILD_DIR=... PELMARK_SAMPLE_DIR=... scripts/run-sample.sh
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
build=${PELMARK_BUILD_DIR:-$root/build/release}
sample=${PELMARK_SAMPLE_DIR:-$root/build/sample-trip}

if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target pelmark -j2
pelmark=$build/apps/pelmark

if [ ! -f "$sample/trip.t" ]; then
    "$pelmark" sample "$sample"
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$pelmark" "$sample"
fi

# No display: one photo's EXIF fields, the track summary and the outcome of "RUN", read off the control's
# own fields.
echo "No display found; what the control shows for the sample trip:"
photo=$sample/P1010005.JPG
{
    cat <<SCRIPT
OpenFolder "$photo"
:get FilePath
:get PictureCount
:get DatumZeit
:get DateOriginalTxt
:get Hersteller
:get Modell
:get SoftWareVersion
:get Description
:get UserComment
:get ExposureTimeTxt
:get FNrTxt
:get ExposureProgram
:get ShutterSpeedTxt
:get FlashValue
:get ExifVers
:get SubExifPosTxt
:get StatusBar1.1
:get StatusBar1.2
:get StatusBar1.3
:file $sample/trip.t
:click LoadTrack
:get PathTxt
:get TitelTxt
:get DateFrom
:get DateTo
:get StatusBar2.1
:click RunAllBtn
PhotoCount
ReferencePhoto
:get GPSAlt
:launched
SCRIPT
} | "$pelmark" console --launch record | {
    read -r _folder
    status=
    for name in "Photo" "Photos in the folder" "Last changed" "Taken" "Maker" "Model" "Firmware" \
        "Description" "Comment" "Exposure time (s)" "F-number" "Exposure program" "Shutter speed 1/" \
        "Flash value" "EXIF version" "Exif offset (hex)" "+" "+" "Status" "-" "-" "Track file" "Track title" \
        "First point" "Last point" "Track status" "-" "Photos loaded by RUN" "First matched photo" \
        "Last altitude matched" "GARtrip started with"; do
        read -r answer
        # {"value": "text"} -> text
        # {"value": "text"}, {"result": R, "args": [...]}, {"launched": [...]} -> the text, R, the list
        value=$(printf '%s' "$answer" | sed -e 's/^{"value": "\{0,1\}//' -e 's/^{"result": \(.*\), "args": .*}$/\1/' \
            -e 's/^{"launched": \[\(.*\)\]}$/\1/' -e 's/"\{0,1\}}$//')
        case $name in
        -) ;;
        +) status=$status$value ;;
        Status) printf '  %-22s %s\n' "$name" "$status$value" ;;
        *) printf '  %-22s %s\n' "$name" "$value" ;;
        esac
    done
}

wayPoints=$sample/$(basename "$sample").wp
if [ -f "$wayPoints" ]; then
    # Every waypoint record's comment begins "Bild: ", the photo's path.
    printf '  %-22s %s\n' "Photos matched" "$(grep -ao 'Bild: ' "$wayPoints" | wc -l)"
    printf '  %-22s %s (%s bytes)\n' "Waypoint file" "$wayPoints" "$(wc -c <"$wayPoints")"
else
    printf '  %-22s %s\n' "Waypoint file" "not written"
fi
