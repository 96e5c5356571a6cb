#include "geotag/GeotagCommand.h"

#include "base/Error.h"
#include "exif/ExifReader.h"
#include "exif/TagEnum.h"
#include "exif/TagQuery.h"
#include "geotag/Engine.h"
#include "geotag/GeotagOutputs.h"
#include "geotag/GeotagReport.h"
#include "geotag/PlacedPhotos.h"
#include "photos/PhotoLoader.h"
#include "records/PhotoList.h"
#include "track/TrackFile.h"
#include "track/TrackTime.h"
#include "waypoints/NewFile.h"
#include "waypoints/WayPointFile.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace pelmark::geotag {

namespace {

constexpr const char* kUsage =
    "usage: pelmark geotag [--offset SECONDS] [--ahead | --behind] [--dry-run] "
    "[--report text|json|csv] [--find-offset] [--gpx FILE] [--xmp[=full]] [--overwrite] "
    "[--settings DIR] [--] TRACK";

constexpr const char* kHelp =
    "Matches the photos in the folder of TRACK (a track file, *.t or *.tb) with its points by capture\n"
    "time, as \"RUN\" does, writes the waypoint file beside the track and says for every photo what it\n"
    "matched or why nothing.\n"
    "\n"
    "  --offset SECONDS   the camera clock's offset (default: 31, as the control starts)\n"
    "  --ahead, --behind  whether the camera's clock runs ahead of the GPS or behind it (default)\n"
    "  --find-offset      use the offset that matches the most photos instead\n"
    "  --dry-run          write nothing\n"
    "  --report FORM      text (default), json, or csv (the summary then goes to standard error)\n"
    "  --gpx FILE         also write the matched photos as GPX 1.1 waypoints into FILE\n"
    "  --xmp              also write an XMP sidecar with the GPS position beside each matched photo\n"
    "                     (P1.JPG -> P1.xmp); --xmp=full names it P1.JPG.xmp. An existing sidecar\n"
    "                     keeps its other properties; `pelmark restore-times` puts sidecars back\n"
    "  --overwrite        replace a position a sidecar already holds (else it stays)\n"
    "  --settings DIR     keep the sidecars' record beside the settings in DIR, as\n"
    "                     `pelmark console --settings DIR` does\n"
    "  --help             this text\n"
    "\n"
    "Positions, heights and times come from the matched track points (times in UTC). Photos are only\n"
    "read, never written.\n"
    "\n"
    "Exit code 0 when a photo matched, 1 when none did or a GPX file or sidecar asked for could not be\n"
    "written, 2 for bad arguments, a track that cannot be read or a report that cannot be written.\n";

// The clock offset the control starts with: 31 s, the camera behind.
constexpr CameraOffset kStartUpOffset{31, false};

struct Options {
    std::string track;
    std::optional<std::string> offset;
    std::optional<bool> cameraAhead;
    bool dryRun = false;
    bool findOffset = false;
    ReportFormat format = ReportFormat::Text;
    OutputRequest outputs;
    bool help = false;
};

Options parseOptions(const std::vector<std::string>& args) {
    Options options;
    auto fail = [](const std::string& message) { throw PelmarkError(ErrorKind::InvalidArgument, message); };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded) {
            if (!options.track.empty()) fail("one track file only");
            options.track = arg;
            continue;
        }
        auto value = [&]() -> const std::string& {
            if (i + 1 == args.size()) fail(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--offset") {
            const std::string& text = value();
            char* end = nullptr;
            const double seconds = std::strtod(text.c_str(), &end);
            if (text.empty() || *end != '\0' || !(std::fabs(seconds) <= 1e9))
                fail("--offset takes a number of seconds, not \"" + text + "\"");
            options.offset = text;
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
        } else if (arg.starts_with("-") && arg != "-") {
            fail("unknown option " + arg);
        } else if (!options.track.empty()) {
            fail("one track file only");
        } else {
            options.track = arg;
        }
    }
    if (options.track.empty()) fail("no track file given");
    if (options.outputs.overwrite && !options.outputs.xmp) fail("--overwrite is for --xmp");
    return options;
}

// "reading photo N of M" on a terminal, erased at the end.
class Progress {
public:
    Progress(std::ostream& err, bool shown) : err_(err), shown_(shown) {}
    ~Progress() {
        if (shown_ && started_) err_ << "\r" << std::string(40, ' ') << "\r" << std::flush;
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    void photo(std::size_t number, std::size_t of) {
        if (!shown_) return;
        started_ = true;
        err_ << "\rreading photo " << number << " of " << of << "   " << std::flush;
    }

private:
    std::ostream& err_;
    bool shown_;
    bool started_ = false;
};

// The capture time moved by the offset on the calendar, in the photo's own form.
std::string correctedText(const std::string& captured, CameraOffset offset) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    // The form every camera writes is read by its positions; anything looser as before.
    const auto digits = [&](std::size_t at, std::size_t count) {
        int value = 0;
        for (std::size_t k = at; k < at + count; ++k)
            value = value * 10 + (captured[k] - '0');
        return value;
    };
    const bool strict =
        captured.size() >= 19 && std::all_of(captured.begin(), captured.begin() + 19, [&](const char& c) {
            const auto k = static_cast<std::size_t>(&c - captured.data());
            return k == 4 || k == 7 || k == 13 || k == 16 ? c == ':'
                   : k == 10                              ? c == ' '
                                                          : c >= '0' && c <= '9';
        });
    if (strict) {
        y = digits(0, 4), mo = digits(5, 2), d = digits(8, 2), h = digits(11, 2), mi = digits(14, 2),
        s = digits(17, 2);
    } else if (std::sscanf(captured.c_str(), "%4d:%2d:%2d %2d:%2d:%2d", &y, &mo, &d, &h, &mi, &s) != 6) {
        return {};
    }
    using namespace std::chrono;
    const year_month_day date{year{y} / month{static_cast<unsigned>(mo)} / day{static_cast<unsigned>(d)}};
    if (!date.ok()) return {};
    const double added = offset.added();
    const double whole = std::floor(added);
    const sys_seconds at =
        sys_days{date} + hours{h} + minutes{mi} + seconds{s} + seconds{static_cast<long long>(whole)};
    const sys_days atDay = floor<days>(at);
    const hh_mm_ss clock{at - atDay};
    const year_month_day shifted{atDay};
    char text[64], fraction[16] = "";
    // A fraction of a second shows as such: "0.25" -> ".25".
    if (added != whole) std::snprintf(fraction, sizeof fraction, "%.6g", added - whole);
    std::snprintf(text, sizeof text, "%04d:%02u:%02u %02ld:%02ld:%02lld%s", int(shifted.year()),
                  unsigned(shifted.month()), unsigned(shifted.day()), long(clock.hours().count()),
                  long(clock.minutes().count()), static_cast<long long>(clock.seconds().count()),
                  fraction[0] == '0' ? fraction + 1 : fraction);
    return text;
}

// The finder is worth a word when it matches clearly more: at least one photo, and a tenth of the
// photos with a capture time. A move by whole quarter hours is most likely a time zone or summer time.
std::optional<std::string> advice(const GeotagReport& report, CameraOffset given, int givenMatched) {
    const int dated = static_cast<int>(report.photos.size()) - report.withoutCaptureTime;
    if (report.best.matched - givenMatched < std::max(1, dated / 10)) return std::nullopt;
    std::string text = "With the camera " + offsetText(report.best.offset) + ", " +
                       std::to_string(report.best.matched) + " of " + std::to_string(report.photos.size()) +
                       " photos match instead of " + std::to_string(givenMatched);
    const std::string step = quarterHoursText(report.best.offset.added() - given.added());
    if (!step.empty()) text += " (the given offset moved by " + step + ": a time-zone or summer-time step?)";
    return text;
}

std::string pointTimeOf(const Track& track, int point) {
    return trackTimeText(track.slot(point).time.value_or(0));
}

// The capture time the tag query answers for a photo, or nothing for one that cannot be read.
std::string captureTimeOf(ExifReader& reader, const std::string& path) {
    try {
        return tagAnswer(reader.read(path), static_cast<double>(TagEnum::DatumOriginal));
    } catch (const PelmarkError&) {
        // Unreadable: a photo without a capture time, as the control's run counts it.
    }
    return {};
}

int run(const Options& options, std::ostream& out, std::ostream& err, bool progress) {
    // The track once, then each photo of its folder once: nothing is shown, nothing yields.
    const std::string track = std::filesystem::absolute(options.track).lexically_normal().string();
    TrackLog log;
    {
        FileSlot file;
        if (!hasTrackExtension(track) || !file.openForReading(track) ||
            readTrackLog(file, track, log) != TrackReadEnd::Complete) {
            err << "pelmark geotag: cannot read the track file " << track
                << " (it must be a readable track file named *.t or *.tb)\n";
            return 2;
        }
    }
    const std::string folder = track.substr(0, track.rfind('/') + 1);
    std::size_t photosLeftOut = 0;
    const std::vector<std::string> names =
        *photoNamesIn(folder, "", PhotoList::kCapacity, {}, &photosLeftOut);

    GeotagReport report;
    std::vector<std::string> capturedTimes;
    {
        Progress shown(err, progress);
        ExifReader reader;
        for (std::size_t k = 0; k < names.size(); ++k) {
            shown.photo(k + 1, names.size());
            capturedTimes.push_back(captureTimeOf(reader, folder + names[k]));
        }
    }

    const TrackIndex index(log.points, std::max(0LL, log.matchedCount()));
    const CameraOffset given{options.offset ? std::strtod(options.offset->c_str(), nullptr)
                                            : kStartUpOffset.seconds,
                             options.cameraAhead.value_or(kStartUpOffset.cameraAhead)};
    const GeotagOutcome atGiven = geotagPhotos(capturedTimes, index, given);
    report.best = atGiven.best;
    report.offsetFound = options.findOffset && report.best.matched > 0;
    report.offset = report.offsetFound ? report.best.offset : given;
    const GeotagOutcome outcome =
        report.offsetFound ? geotagPhotos(capturedTimes, index, report.offset) : atGiven;
    report.matched = outcome.matched;
    report.withoutCaptureTime = outcome.withoutCaptureTime;
    for (std::size_t k = 0; k < names.size(); ++k) {
        PhotoRow row{static_cast<int>(k + 1), names[k], capturedTimes[k], {}, outcome.verdicts[k], {}, {}};
        row.reason = verdictText(row.verdict, row.captured);
        row.corrected = correctedText(row.captured, report.offset);
        if (row.verdict.point != 0) row.pointTime = pointTimeOf(log.points, row.verdict.point);
        report.photos.push_back(std::move(row));
    }
    if (!report.offsetFound) report.advice = advice(report, given, atGiven.matched);

    report.photosLeftOut = photosLeftOut;
    report.trackPointsLeftOut = log.pointsLeftOut;
    report.trackPointsRead = log.count;
    report.trackPoints = std::max(0LL, log.matchedCount());
    if (log.count > 0) {
        report.trackFrom = trackTimeText(log.points.slot(1).time.value_or(0));
        report.trackTo = trackTimeText(log.points.slot(log.count - 1).time.value_or(0));
    }
    report.wayPointFile = wayPointFileName(track).value_or("");

    // The file "RUN" writes: the matched photos' records behind the first one's.
    const std::vector<std::string> parts = wayPointFileParts(
        wayPointsOf(outcome.verdicts, log.points, names, folder), static_cast<double>(names.size()));
    if (options.dryRun) {
        report.notWritten = "a dry run writes nothing";
    } else if (parts.empty()) {
        report.notWritten = "no photo matched";
    } else {
        std::string bytes;
        for (const std::string& part : parts)
            bytes += part;
        try {
            writeNewFile(report.wayPointFile, bytes);
            report.written = true;
        } catch (const PelmarkError& error) {
            report.notWritten = error.what();
        }
    }

    OutputsDone outputs;
    if (options.outputs.any()) {
        outputs = writeOutputs(placedPhotos(outcome.verdicts, log.points, names, folder), options.outputs,
                               options.dryRun, err);
        report.outputs = outputs.lines;
    }

    writeReport(report, options.format, out, err);
    // A report that did not reach its reader is a failed run, whatever matched.
    out.flush();
    if (!out) {
        err << "pelmark geotag: the report could not be written\n";
        return 2;
    }
    return report.matched > 0 && !outputs.failed ? 0 : 1;
}

} // namespace

int runGeotag(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool progress) {
    Options options;
    try {
        options = parseOptions(args);
    } catch (const PelmarkError& error) {
        err << "pelmark geotag: " << error.what() << "\n" << kUsage << "\n";
        return 2;
    }
    if (options.help) {
        out << kUsage << "\n\n" << kHelp;
        out.flush();
        return out ? 0 : 2;
    }
    try {
        return run(options, out, err, progress);
    } catch (const std::exception& error) {
        err << "pelmark geotag: " << error.what() << "\n";
        return 2;
    }
}

} // namespace pelmark::geotag
