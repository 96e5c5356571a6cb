#include "host/RunSummary.h"

#include "base/Error.h"
#include "base/NumberText.h"
#include "control/VeltoraControl.h"
#include "exif/ExifReader.h"
#include "geotag/TrackIndex.h"
#include "waypoints/WayPointFile.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace pelmark::host {

namespace {

std::optional<std::filesystem::file_time_type> modified(const std::string& path) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    if (error) return std::nullopt;
    return time;
}

// The count behind the status bar's tag ("Gelesene Trackpunkte: 740").
long long pointsReadShown(const Surface& surface) {
    const Element& bar = surface.get(ElementId::StatusBar2);
    if (bar.panels.empty()) return 0;
    const std::string& text = bar.panels.front().text;
    const std::size_t digits = text.find_last_not_of("0123456789");
    const std::size_t from = digits == std::string::npos ? 0 : digits + 1;
    long long count = 0;
    // A count too long for the number (a host's own text in the panel) reads as none.
    if (std::from_chars(text.data() + from, text.data() + text.size(), count).ec != std::errc()) return 0;
    return count;
}

// "YYYY:MM:DD HH:MM:SS", the form cameras write.
std::string exifForm(std::chrono::sys_seconds at) {
    using namespace std::chrono;
    const sys_days atDay = floor<days>(at);
    const hh_mm_ss clock{at - atDay};
    const year_month_day date{atDay};
    char text[40];
    std::snprintf(text, sizeof text, "%04d:%02u:%02u %02ld:%02ld:%02lld", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), long(clock.hours().count()),
                  long(clock.minutes().count()), static_cast<long long>(clock.seconds().count()));
    return text;
}

// A point's time as the matching compares it (GPS time plus two hours), in the photos' form.
std::string comparedTime(std::uint32_t time) {
    using namespace std::chrono;
    return exifForm(sys_days{year{1989} / December / 31} + seconds{time} + hours{2});
}

} // namespace

long long pointsTakingPart(VeltoraControl& control) {
    const Variant anzahl = control.Anzahl();
    return anzahl.isNumber() ? static_cast<long long>(std::max(0.0, anzahl.asNumber())) : 0;
}

WayPointFileMark WayPointFileMark::of(VeltoraControl& control) {
    WayPointFileMark mark;
    mark.path = wayPointFileName(control.surface().text(ElementId::PathTxt)).value_or("");
    if (!mark.path.empty()) mark.before = modified(mark.path);
    mark.began = std::filesystem::file_time_type::clock::now();
    return mark;
}

bool WayPointFileMark::written(const std::string& target) const {
    if (target.empty()) return false;
    const auto now = modified(target);
    if (!now) return false;
    // The writer replaces the file whole, so a new one has a time of its own.
    if (target == path) return now != before;
    // The track was chosen during the job (RUN's own dialog): nothing is known of the file before, so
    // its time must fall in the job. File times are taken from a coarser clock than `now()`.
    return *now >= began - std::chrono::seconds(1);
}

bool RunSummary::offersBest() const {
    return matchesClearlyMore(best.matched, matched, static_cast<int>(photos.size()) - withoutCaptureTime);
}

CameraOffset enteredOffset(VeltoraControl& control) {
    Surface& surface = control.surface();
    return {leadingNumber(surface.text(ElementId::KameraShift)), surface.value(ElementId::KameraVor) != 0};
}

void enterOffset(VeltoraControl& control, CameraOffset offset) {
    Surface& surface = control.surface();
    surface.userSetText(ElementId::KameraShift, secondsText(offset.seconds));
    surface.userClick(offset.cameraAhead ? ElementId::KameraVor : ElementId::KameraNach);
}

std::string movedTime(const std::string& captured, double added) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (std::sscanf(captured.c_str(), "%4d:%2d:%2d %2d:%2d:%2d", &y, &mo, &d, &h, &mi, &s) != 6) return {};
    using namespace std::chrono;
    const year_month_day date{year{y} / month{static_cast<unsigned>(mo)} / day{static_cast<unsigned>(d)}};
    if (!date.ok()) return {};
    return exifForm(sys_days{date} + hours{h} + minutes{mi} + seconds{s} +
                    seconds{static_cast<long long>(std::floor(added))});
}

RunSummary summarizeRun(VeltoraControl& control, JobKind job, const WayPointFileMark& mark) {
    RunSummary summary;
    Surface& surface = control.surface();
    summary.offset = enteredOffset(control);
    summary.pointsRead = pointsReadShown(surface);
    summary.pointsTakingPart = pointsTakingPart(control);
    const Track& track = control.track();
    if (summary.pointsTakingPart > 0) {
        summary.trackFrom = comparedTime(track.slot(1).time.value_or(0));
        summary.trackTo = comparedTime(track.slot(summary.pointsTakingPart).time.value_or(0));
    }

    // The run leaves each photo's name and path in its waypoint slot; those are the photos it handled.
    const WayPoints& slots = control.wayPoints();
    const int count = surface.get(ElementId::UpDown1).max;
    const TrackIndex index(track, summary.pointsTakingPart);
    std::vector<std::string> times;
    ExifReader reader;
    for (int k = 1; k <= count && WayPoints::holds(k); ++k) {
        const WayPoint& slot = slots.slot(k);
        if (slot.photoPath.empty()) continue;
        PhotoResult photo;
        photo.number = k;
        photo.name = slot.photoName;
        photo.captured = reader.captureTime(slot.photoPath);
        photo.corrected = movedTime(photo.captured, summary.offset.added());
        photo.verdict = explainPhoto(photo.captured, index, summary.offset);
        if (photo.verdict.point != 0)
            photo.pointTime = comparedTime(track.slot(photo.verdict.point).time.value_or(0));
        // The count is what the control's run did; the verdicts say why, and agree with it.
        if (slots.matched(k)) ++summary.matched;
        if (photo.verdict.kind == PhotoVerdict::Kind::NoCaptureTime) ++summary.withoutCaptureTime;
        if (!photo.corrected.empty()) {
            // The form sorts as it reads.
            if (summary.photosFrom.empty() || photo.corrected < summary.photosFrom)
                summary.photosFrom = photo.corrected;
            summary.photosTo = std::max(summary.photosTo, photo.corrected);
        }
        times.push_back(photo.captured);
        summary.photos.push_back(std::move(photo));
    }
    summary.best = findOffset(times, index, summary.offset);

    summary.wayPointFile = wayPointFileName(surface.text(ElementId::PathTxt)).value_or("");
    summary.written = mark.written(summary.wayPointFile);
    if (summary.written) return summary;
    if (job == JobKind::Combine)
        summary.notWritten = "\"2. Combine\" schreibt keine Datei: \"3. Compile\" oder RUN schreibt sie";
    else if (summary.wayPointFile.empty())
        summary.notWritten = "keine Trackdatei, neben die sie kommt";
    else if (summary.matched == 0)
        summary.notWritten = "kein Foto hat einen Trackpunkt";
    else
        summary.notWritten = "angehalten, oder das Schreiben schlug fehl (siehe die Meldung)";
    return summary;
}

} // namespace pelmark::host
