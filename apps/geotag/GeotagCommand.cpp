#include "geotag/GeotagCommand.h"

#include "base/Error.h"
#include "base/InstantText.h"
#include "exif/ExifReader.h"
#include "geotag/ClockLine.h"
#include "geotag/Engine.h"
#include "geotag/GeotagOptions.h"
#include "geotag/GeotagOutputs.h"
#include "geotag/GeotagReport.h"
#include "geotag/PhotoClock.h"
#include "geotag/PhotoFolders.h"
#include "geotag/Placing.h"
#include "gpx/GpxReader.h"
#include "photos/PhotoLoader.h"
#include "records/PhotoList.h"
#include "track/TrackFile.h"
#include "track/TrackPositions.h"
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

// The clock offset the control starts with: 31 s, the camera behind.
constexpr CameraOffset kStartUpOffset{31, false};

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

// The finder's word when it matches clearly more. A move by whole quarter hours is most likely a time
// zone or summer time.
std::optional<std::string> advice(const GeotagReport& report, CameraOffset given, int givenMatched) {
    const int dated = static_cast<int>(report.photoCount) - report.withoutCaptureTime;
    if (!matchesClearlyMore(report.best.matched, givenMatched, dated)) return std::nullopt;
    std::string text = "With the camera " + offsetText(report.best.offset) + ", " +
                       std::to_string(report.best.matched) + " of " + std::to_string(report.photoCount) +
                       " photos match instead of " + std::to_string(givenMatched);
    const std::string step = quarterHoursText(report.best.offset.added() - given.added());
    if (!step.empty()) text += " (the given offset moved by " + step + ": a time-zone or summer-time step?)";
    return text;
}

std::string pointTimeOf(const Track& track, int point) {
    return trackTimeText(track.slot(point).time.value_or(0));
}

// The capture time the tag query answers for a photo, or nothing for one that cannot be read.
// The file "RUN" writes: the matched photos' records behind the first one's.
void writeWayPointFile(GeotagReport& report, const WayPoints& slots, std::size_t photoCount, bool dryRun) {
    const std::vector<std::string> parts = wayPointFileParts(slots, static_cast<double>(photoCount));
    if (dryRun) {
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
}

// The tracks of a run as the engine takes them, and the track file of a run of the control.
struct Tracks {
    GeoTrack geo;
    std::optional<TrackLog> log; // the control's case: one track file and its folder's photos
    std::string first;           // the first track's absolute path
    long long pointsRead = 0;    // skipped ones and the closing points of track files included
};

// Throws PelmarkError (FileRead) with the words the user sees. `asTheControl`: the one track is read
// into the control's table, with its 10,000 points; every other track file is read whole.
Tracks readTracks(const std::vector<std::string>& paths, bool asTheControl) {
    Tracks tracks;
    for (const std::string& given : paths) {
        const std::string path = std::filesystem::absolute(given).lexically_normal().string();
        if (tracks.first.empty()) tracks.first = path;
        if (isGpxName(path)) {
            const auto seen = [&] {
                return static_cast<long long>(tracks.geo.points.size()) + tracks.geo.skipped.total();
            };
            const long long before = seen();
            try {
                readGpxFile(path, tracks.geo);
                tracks.pointsRead += seen() - before;
            } catch (const PelmarkError& error) {
                throw PelmarkError(ErrorKind::FileRead,
                                   std::string("cannot read the GPX file ") + error.what());
            }
            continue;
        }
        FileSlot file;
        bool read = hasTrackExtension(path) && file.openForReading(path);
        if (read && asTheControl) {
            tracks.log.emplace();
            read = readTrackLog(file, path, *tracks.log) == TrackReadEnd::Complete;
        } else if (read) {
            read = readTrackPoints(file, tracks.geo, tracks.pointsRead) == TrackReadEnd::Complete;
        }
        if (!read)
            throw PelmarkError(ErrorKind::FileRead,
                               "cannot read the track file " + path +
                                   " (it must be a readable track file named *.t or *.tb,"
                                   " or a GPX file named *.gpx)");
    }
    return tracks;
}

// A verdict by instants in words: there is no month to name, the points are compared across all.
std::string instantReason(const PhotoVerdict& verdict, const std::string& captured) {
    if (verdict.kind == PhotoVerdict::Kind::NoPointThatMonth) return "the tracks hold no point";
    if (verdict.kind != PhotoVerdict::Kind::BeyondLimit) return verdictText(verdict, captured);
    return "the nearest point (" + std::to_string(verdict.point) + ") lies " + secondsText(verdict.seconds) +
           " s" + (verdict.pointBefore ? " before" : " after") + ", beyond the " +
           secondsText(kMatchLimitSeconds) + " s limit";
}

// The photo named by a clock photo's PHOTO: a path, or a file name among the photos.
std::size_t syncPhotoIndex(const std::string& photo, const std::vector<PhotoFile>& photos) {
    const bool byPath = photo.find('/') != std::string::npos;
    const std::string wanted = byPath ? std::filesystem::absolute(photo).lexically_normal().string() : photo;
    std::optional<std::size_t> found;
    for (std::size_t k = 0; k < photos.size(); ++k) {
        const std::string& have =
            byPath ? std::filesystem::absolute(photos[k].path).lexically_normal().string() : photos[k].name;
        if (have != wanted) continue;
        if (found)
            throw PelmarkError(ErrorKind::InvalidArgument, "--sync: several photos are named " + photo);
        found = k;
    }
    if (!found)
        throw PelmarkError(ErrorKind::InvalidArgument, "--sync: no photo " + photo + " among the photos");
    return *found;
}

int run(const Options& options, std::ostream& out, std::ostream& err, bool progress) {
    const std::optional<CameraZone> zone =
        options.cameraZone ? std::optional<CameraZone>(CameraZone(*options.cameraZone)) : std::nullopt;
    // One track file and its folder's photos: the control's "RUN", its caps and its waypoint file.
    const bool asTheControl = options.tracks.size() == 1 && !isGpxName(options.tracks.front()) &&
                              options.photoFolders.empty() && !options.recursive;
    if (options.findOffset && !asTheControl)
        throw PelmarkError(ErrorKind::InvalidArgument,
                           "--find-offset takes one track file and its folder's photos");
    Tracks tracks;
    try {
        tracks = readTracks(options.tracks, asTheControl);
    } catch (const PelmarkError& error) {
        err << "pelmark geotag: " << error.what() << "\n";
        return 2;
    }
    const std::string folder = tracks.first.substr(0, tracks.first.rfind('/') + 1);
    GeotagReport report;
    std::vector<PhotoFile> photos;
    if (asTheControl) {
        const auto names = photoNamesIn(folder, "", PhotoList::kCapacity, {}, &report.photosLeftOut);
        for (const std::string& name : *names)
            photos.push_back({folder + name, name});
    } else {
        photos =
            photosIn(options.photoFolders.empty() ? std::vector<std::string>{folder} : options.photoFolders,
                     options.recursive);
    }

    std::vector<std::string> capturedTimes;
    std::vector<PhotoClock> clocks;
    capturedTimes.reserve(photos.size());
    clocks.reserve(photos.size());
    {
        Progress shown(err, progress);
        ExifReader reader;
        for (std::size_t k = 0; k < photos.size(); ++k) {
            shown.photo(k + 1, photos.size());
            capturedTimes.push_back(reader.captureTime(photos[k].path));
            clocks.push_back(
                photoClockOf(capturedTimes.back(), reader.offsetTimeOriginal(), zone ? &*zone : nullptr));
        }
    }

    // The camera's clock: an offset given (or the control's start-up one), found, or from clock photos.
    const CameraOffset given{options.offset.value_or(kStartUpOffset.seconds),
                             options.cameraAhead.value_or(kStartUpOffset.cameraAhead)};
    std::optional<TrackIndex> index;
    GeotagOutcome atGiven;
    if (tracks.log) {
        index.emplace(tracks.log->points, std::max(0LL, tracks.log->matchedCount()));
        atGiven = geotagPhotos(capturedTimes, *index, given);
        report.best = atGiven.best;
    }
    report.offsetFound = options.findOffset && report.best.matched > 0;
    report.offset = report.offsetFound ? report.best.offset : given;
    std::optional<ClockLine> line;
    if (!options.sync.empty()) {
        std::vector<ClockPhoto> clockPhotos;
        for (const SyncPhoto& sync : options.sync) {
            const PhotoClock& clock = clocks[syncPhotoIndex(sync.photo, photos)];
            if (!clock.cameraUtc)
                throw PelmarkError(ErrorKind::InvalidArgument,
                                   "--sync: " + sync.photo + " has no capture time");
            clockPhotos.push_back({*clock.cameraUtc, sync.receiverUtc});
        }
        line = fitClockLine(clockPhotos);
        report.offset = CameraOffset::fromAdded(line->offsetSeconds);
    }
    // The control's comparison photos of a track file keep the control's own matching, unless a mode it
    // does not know is asked for.
    const bool controlMatching = tracks.log && !options.interpolate && !line;
    const GeotagOutcome legacy =
        controlMatching && report.offsetFound ? geotagPhotos(capturedTimes, *index, report.offset) : atGiven;

    // The track file's points as instants only when a photo is placed by its instant: in the control's
    // own case every photo on the control's comparison is matched as the control matches it.
    const bool byInstants =
        !controlMatching || std::any_of(clocks.begin(), clocks.end(), [](const PhotoClock& c) {
            return c.basis != TimeBasis::ControlComparison && c.basis != TimeBasis::None;
        });
    if (tracks.log && byInstants) appendTrackLog(*tracks.log, tracks.geo);
    const InstantIndex instants(tracks.geo);
    const MatchRule rule{kMatchLimitSeconds, options.interpolate};
    std::vector<PhotoVerdict> verdicts;
    if (tracks.log) verdicts.reserve(photos.size());
    std::vector<PlacedPhoto> placed;
    // A photo whose zone is known has no reason for the control's 31 s.
    const bool offsetGiven = options.offset || options.cameraAhead || report.offsetFound;
    bool startUpOffsetUsed = false;
    ReportWriter writer(options.format, out, err);
    for (std::size_t k = 0; k < photos.size(); ++k) {
        const PhotoClock& clock = clocks[k];
        std::optional<double> utc = clock.cameraUtc;
        const bool controls = clock.basis == TimeBasis::ControlComparison || clock.basis == TimeBasis::None;
        startUpOffsetUsed = startUpOffsetUsed || (utc && controls && !offsetGiven && !line);
        if (utc)
            *utc =
                line ? line->corrected(*utc) : *utc + (controls || offsetGiven ? report.offset.added() : 0);
        Placement placement;
        std::optional<GeoPoint> controlPlace; // a matched point of a track file may have no usable place
        if (controlMatching && controls) {
            placement.verdict = legacy.verdicts[k];
            if (placement.verdict.kind == PhotoVerdict::Kind::Matched)
                controlPlace = geoPointOf(tracks.log->points.slot(placement.verdict.point));
            placement.place = controlPlace.value_or(GeoPoint{});
        } else {
            placement = placePhoto(utc, instants, rule);
        }
        PhotoRow row;
        row.number = static_cast<int>(k + 1), row.name = photos[k].name, row.captured = capturedTimes[k];
        row.verdict = placement.verdict;
        if (controlMatching && controls) {
            row.reason = verdictText(row.verdict, row.captured);
            row.corrected = correctedText(row.captured, report.offset);
            if (row.verdict.point != 0) row.pointTime = pointTimeOf(tracks.log->points, row.verdict.point);
        } else {
            row.reason = instantReason(row.verdict, row.captured);
            if (row.verdict.point != 0)
                row.pointTime =
                    isoText(tracks.geo.points[static_cast<std::size_t>(row.verdict.point - 1)].utcSeconds);
        }
        if (utc) row.utc = isoText(*utc), row.zone = clock.zone;
        row.interpolated = placement.interpolated;
        row.place = placedPhoto({photos[k].path, photos[k].name, utc}, placement);
        if (controlMatching && controls && !controlPlace) row.place.reset();
        if (row.place && options.outputs.any()) placed.push_back(*row.place);
        if (row.verdict.kind == PhotoVerdict::Kind::Matched) ++report.matched;
        if (row.verdict.kind == PhotoVerdict::Kind::NoCaptureTime) ++report.withoutCaptureTime;
        if (tracks.log) verdicts.push_back(row.verdict); // for the waypoint file, which only a track file has
        writer.row(row);
        ++report.photoCount;
    }
    // The summary names the offset the photos were corrected by: none when every zone was known.
    if (!offsetGiven && !line && !startUpOffsetUsed) report.offset = CameraOffset{};
    if (tracks.log && !report.offsetFound && !line) report.advice = advice(report, given, atGiven.matched);

    report.skipped = tracks.geo.skipped;
    report.segments = tracks.geo.segments;
    if (tracks.log) {
        const TrackLog& log = *tracks.log;
        report.trackPointsLeftOut = log.pointsLeftOut;
        report.trackPointsRead = log.count;
        report.trackPoints = std::max(0LL, log.matchedCount());
        if (log.count > 0) {
            report.trackFrom = trackTimeText(log.points.slot(1).time.value_or(0));
            report.trackTo = trackTimeText(log.points.slot(log.count - 1).time.value_or(0));
        }
    } else {
        report.trackPoints = static_cast<long long>(instants.size());
        report.trackPointsRead = tracks.pointsRead;
        if (instants.size() > 0) {
            report.trackFrom = isoText(instants.timeAt(0));
            report.trackTo = isoText(instants.timeAt(instants.size() - 1));
        }
    }
    if (asTheControl) {
        report.wayPointFile = wayPointFileName(tracks.first).value_or("");
        std::vector<std::string> names;
        for (const PhotoFile& photo : photos)
            names.push_back(photo.name);
        writeWayPointFile(report, wayPointsOf(verdicts, tracks.log->points, names, folder), names.size(),
                          options.dryRun);
    } else {
        report.notWritten = "a waypoint file belongs to one track file (*.t or *.tb) and its folder's photos";
    }

    OutputsDone outputs;
    if (options.outputs.any()) {
        outputs = writeOutputs(placed, options.outputs, options.dryRun, err);
        report.outputs = outputs.lines;
    }

    writer.finish(report);
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
