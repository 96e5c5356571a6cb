#include "geotag/GeotagOptions.h"

#include "base/Error.h"
#include "base/InstantText.h"

#include <cmath>
#include <cstdlib>

namespace pelmark::geotag {

const char* const kUsage =
    "usage: pelmark geotag [--offset SECONDS] [--ahead | --behind] [--camera-tz ZONE] [--sync "
    "PHOTO=TIME]...\n"
    "                      [--interpolate [SECONDS]] [--photos DIR]... [--recursive] [--dry-run]\n"
    "                      [--report text|json|csv] [--find-offset] [--gpx FILE] [--xmp[=full]]\n"
    "                      [--overwrite] [--settings DIR] [--] TRACK...";

const char* const kHelp =
    "Matches photos with the points of the tracks by capture time and says for every photo what it\n"
    "matched or why nothing. A TRACK is a track file (*.t or *.tb) or a GPX file (*.gpx); several may be\n"
    "given, and each GPX track segment is kept apart. The photos are those of the first track's folder\n"
    "unless --photos names others. With one track file and its folder's photos this is \"RUN\": the\n"
    "first 500 photos and 10,000 points, and the waypoint file written beside the track.\n"
    "\n"
    "A photo's instant comes from its OffsetTimeOriginal tag when it has one, else from --camera-tz,\n"
    "else from the control's own comparison (the camera on GPS time plus two hours).\n"
    "\n"
    "  --offset SECONDS     the camera clock's offset (default: 31 for the control's comparison, as the\n"
    "                       control starts, and 0 for a photo whose zone is known)\n"
    "  --ahead, --behind    whether the camera's clock runs ahead of the GPS or behind it (default)\n"
    "  --camera-tz ZONE     the zone the camera's clock was set to (an IANA name: Europe/Berlin); the\n"
    "                       summer time of each photo's own date applies\n"
    "  --sync PHOTO=TIME    PHOTO (a file name among the photos, or a path) shows the GPS receiver's clock\n"
    "                       reading TIME (2003-06-14T05:02:10Z, or with an offset: +02:00); one such\n"
    "                       photo sets the offset, two or more the offset and the clock's drift\n"
    "  --interpolate [SECONDS]  place a photo on the line between the two points of a segment around it\n"
    "                       when they lie at most SECONDS apart (default 120); else the nearest point\n"
    "  --photos DIR         take the photos of DIR (repeatable), without the control's 500-photo cap\n"
    "  --recursive          and of the folders inside, in name order\n"
    "  --find-offset        use the offset that matches the most photos instead\n"
    "  --dry-run            write nothing\n"
    "  --report FORM        text (default), json, or csv (the summary then goes to standard error)\n"
    "  --gpx FILE           also write the matched photos as GPX 1.1 waypoints into FILE\n"
    "  --xmp                also write an XMP sidecar with the GPS position beside each matched photo\n"
    "                       (P1.JPG -> P1.xmp); --xmp=full names it P1.JPG.xmp. An existing sidecar\n"
    "                       keeps its other properties; `pelmark restore-times` puts sidecars back\n"
    "  --overwrite          replace a position a sidecar already holds (else it stays)\n"
    "  --settings DIR       keep the sidecars' record beside the settings in DIR, as\n"
    "                       `pelmark console --settings DIR` does\n"
    "  --help               this text\n"
    "\n"
    "A waypoint's or sidecar's time is that of its position: the matched point's, or the photo's own\n"
    "instant when it was placed between two points. Photos are only read, never written.\n"
    "\n"
    "Exit code 0 when a photo matched, 1 when none did or a GPX file or sidecar asked for could not be\n"
    "written, 2 for bad arguments, a track that cannot be read or a report that cannot be written.\n";

namespace {

[[noreturn]] void fail(const std::string& message) {
    throw PelmarkError(ErrorKind::InvalidArgument, message);
}

std::optional<double> secondsOf(const std::string& text) {
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(std::fabs(seconds) <= 1e9)) return std::nullopt;
    return seconds;
}

SyncPhoto syncPhotoOf(const std::string& text) {
    const std::size_t equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0) fail("--sync takes PHOTO=TIME, not \"" + text + "\"");
    const auto at = isoInstant(std::string_view(text).substr(equals + 1), true);
    if (!at)
        fail("--sync: \"" + text.substr(equals + 1) +
             "\" is no date and time with its zone (2003-06-14T05:02:10Z or 2003-06-14T07:02:10+02:00)");
    return {text.substr(0, equals), *at};
}

} // namespace

Options parseOptions(const std::vector<std::string>& args) {
    Options options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !arg.starts_with("-") || arg == "-") {
            options.tracks.push_back(arg);
            continue;
        }
        auto value = [&]() -> const std::string& {
            if (i + 1 == args.size()) fail(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--offset") {
            const std::string& text = value();
            options.offset = secondsOf(text);
            if (!options.offset) fail("--offset takes a number of seconds, not \"" + text + "\"");
        } else if (arg == "--ahead" || arg == "--behind") {
            if (options.cameraAhead && *options.cameraAhead != (arg == "--ahead"))
                fail("--ahead and --behind exclude each other");
            options.cameraAhead = arg == "--ahead";
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        } else if (arg == "--dry-run") {
            options.dryRun = true;
        } else if (arg == "--find-offset") {
            options.findOffset = true;
        } else if (arg == "--camera-tz") {
            options.cameraZone = value();
        } else if (arg == "--sync") {
            options.sync.push_back(syncPhotoOf(value()));
        } else if (arg == "--interpolate" || arg.starts_with("--interpolate=")) {
            // The seconds are optional: a following number is taken as them, anything else is not.
            std::optional<double> seconds = 120;
            if (arg != "--interpolate") {
                seconds = secondsOf(arg.substr(14));
                if (!seconds || *seconds < 0)
                    fail("--interpolate takes a number of seconds, not \"" + arg.substr(14) + "\"");
            } else if (i + 1 < args.size() && secondsOf(args[i + 1]) && *secondsOf(args[i + 1]) >= 0) {
                seconds = secondsOf(args[++i]);
            }
            options.interpolate = seconds;
        } else if (arg == "--photos") {
            options.photoFolders.push_back(value());
        } else if (arg == "--recursive") {
            options.recursive = true;
        } else if (arg == "--gpx") {
            options.outputs.gpx = value();
        } else if (arg == "--xmp" || arg == "--xmp=full") {
            options.outputs.xmp = true;
            options.outputs.fullNames = arg == "--xmp=full";
        } else if (arg == "--overwrite") {
            options.outputs.overwrite = true;
        } else if (arg == "--settings") {
            options.outputs.settingsFolder = value();
        } else if (arg == "--report") {
            const std::string& format = value();
            if (format == "text")
                options.format = ReportFormat::Text;
            else if (format == "json")
                options.format = ReportFormat::Json;
            else if (format == "csv")
                options.format = ReportFormat::Csv;
            else
                fail("--report takes text, json or csv, not \"" + format + "\"");
        } else {
            fail("unknown option " + arg);
        }
    }
    if (options.tracks.empty()) fail("no track file given");
    if (options.outputs.overwrite && !options.outputs.xmp) fail("--overwrite is for --xmp");
    if (!options.sync.empty() && (options.offset || options.cameraAhead || options.findOffset))
        fail("--sync sets the offset itself: it excludes --offset, --ahead, --behind and --find-offset");
    return options;
}

} // namespace pelmark::geotag
