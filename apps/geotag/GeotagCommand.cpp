#include "geotag/GeotagCommand.h"

#include "base/Error.h"
#include "base/NumberText.h"
#include "control/VeltoraControl.h"
#include "geotag/GeotagReport.h"
#include "geotag/OffsetFinder.h"
#include "platform/ScriptedPlatform.h"
#include "track/TrackTime.h"
#include "waypoints/WayPointFile.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace pelmark::geotag {

namespace {

constexpr const char* kUsage =
    "usage: pelmark geotag TRACK [--offset SECONDS] [--ahead | --behind] [--dry-run] "
    "[--report text|json|csv] [--find-offset]";

struct Options {
    std::string track;
    std::optional<std::string> offset;
    std::optional<bool> cameraAhead;
    bool dryRun = false;
    bool findOffset = false;
    ReportFormat format = ReportFormat::Text;
};

Options parseOptions(const std::vector<std::string>& args) {
    Options options;
    auto fail = [](const std::string& message) { throw PelmarkError(ErrorKind::InvalidArgument, message); };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
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
        } else if (arg == "--dry-run") {
            options.dryRun = true;
        } else if (arg == "--find-offset") {
            options.findOffset = true;
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
    return options;
}

// The scripted platform answers the control's dialogs; this one also shows how far the run is.
class CommandPlatform : public ScriptedPlatform {
public:
    CommandPlatform(std::ostream& err, bool progress) : err_(err), progress_(progress) {}
    // From here on, each photo the run makes current is shown; the one on display now is not news.
    void watch(Surface* surface) {
        surface_ = surface;
        shown_ = surface->text(ElementId::ActPictNum);
        started_ = false;
    }

    void yieldToEvents() override {
        ScriptedPlatform::yieldToEvents();
        if (!progress_ || surface_ == nullptr) return;
        const std::string& photo = surface_->text(ElementId::ActPictNum);
        if (photo == shown_) return;
        shown_ = photo;
        started_ = true;
        err_ << "\rmatching photo " << photo << " of " << surface_->text(ElementId::PictureCount) << "   "
             << std::flush;
    }
    void endProgress() {
        if (progress_ && started_) err_ << "\r" << std::string(40, ' ') << "\r" << std::flush;
    }

private:
    std::ostream& err_;
    bool progress_;
    Surface* surface_ = nullptr;
    std::string shown_;
    bool started_ = false;
};

// The capture time moved by the offset on the calendar, in the photo's own form.
std::string correctedText(const std::string& captured, CameraOffset offset) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (std::sscanf(captured.c_str(), "%4d:%2d:%2d %2d:%2d:%2d", &y, &mo, &d, &h, &mi, &s) != 6) return {};
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
// photos with a capture time. An offset change near whole hours is most likely a time zone or summer
// time.
std::optional<std::string> advice(const GeotagReport& report, CameraOffset given, int givenMatched) {
    const int dated = static_cast<int>(report.photos.size()) - report.withoutCaptureTime;
    if (report.best.matched - givenMatched < std::max(1, dated / 10)) return std::nullopt;
    std::string text = "With the camera " + offsetText(report.best.offset) + ", " +
                       std::to_string(report.best.matched) + " of " + std::to_string(report.photos.size()) +
                       " photos match instead of " + std::to_string(givenMatched);
    const double change = std::fabs(report.best.offset.added() - given.added());
    const double hours = std::round(change / 3600);
    if (hours >= 1 && std::fabs(change - hours * 3600) <= 2 * kMatchLimitSeconds)
        text += " (a time-zone or summer-time hour?)";
    return text;
}

std::string pointTimeOf(const Track& track, int point) {
    return trackTimeText(track.slot(point).time.value_or(0));
}

int run(const Options& options, std::ostream& out, std::ostream& err, bool progress) {
    CommandPlatform platform(err, progress);
    VeltoraControl control(platform);
    Surface& surface = control.surface();

    // "1. Load Track" with the file chosen in its dialog: the control reads it as the user's choice.
    const std::string track = std::filesystem::absolute(options.track).lexically_normal().string();
    platform.queueFile(track);
    surface.userClick(ElementId::LoadTrack);
    if (!control.Anzahl().isNumber()) {
        err << "pelmark geotag: cannot read the track file " << track
            << " (it must be a readable track file named *.t or *.tb)\n";
        return 2;
    }

    // The photos of the track's folder, and their capture times as the control reads them.
    Variant folder(track);
    control.BildInBox(folder);
    const int photoCount = static_cast<int>(control.PhotoCount().asNumber());
    std::vector<std::string> capturedTimes;
    GeotagReport report;
    for (int i = 1; i <= photoCount; ++i) {
        Variant kind(static_cast<double>(TagEnum::DatumOriginal)), number(static_cast<double>(i));
        capturedTimes.push_back(textOf(control.TagExif(kind, number), '.'));
        Variant again(static_cast<double>(i));
        report.photos.push_back(
            {i, textOf(control.PhotoName(again), '.'), capturedTimes.back(), {}, {}, {}, {}});
    }

    const long long points = static_cast<long long>(control.Anzahl().asNumber());
    const TrackIndex index(control.track(), points);
    CameraOffset given{options.offset ? std::strtod(options.offset->c_str(), nullptr)
                                      : std::strtod(surface.text(ElementId::KameraShift).c_str(), nullptr),
                       options.cameraAhead.value_or(surface.value(ElementId::KameraVor) != 0)};
    report.best = findOffset(capturedTimes, index);
    report.offsetFound = options.findOffset && report.best.matched > 0;
    report.offset = report.offsetFound ? report.best.offset : given;

    int givenMatched = 0;
    for (std::size_t k = 0; k < report.photos.size(); ++k) {
        PhotoRow& row = report.photos[k];
        if (explainPhoto(capturedTimes[k], index, given).kind == PhotoVerdict::Kind::Matched) ++givenMatched;
        row.verdict = explainPhoto(capturedTimes[k], index, report.offset);
        row.reason = verdictText(row.verdict, capturedTimes[k]);
        row.corrected = correctedText(row.captured, report.offset);
        if (row.verdict.point != 0) row.pointTime = pointTimeOf(control.track(), row.verdict.point);
        if (row.verdict.kind == PhotoVerdict::Kind::Matched) ++report.matched;
        if (row.verdict.kind == PhotoVerdict::Kind::NoCaptureTime) ++report.withoutCaptureTime;
    }
    if (!report.offsetFound) report.advice = advice(report, given, givenMatched);

    // The offset goes where the user would type it; the control reads it from there.
    char shift[32];
    std::snprintf(shift, sizeof shift, "%.15g", report.offset.seconds);
    surface.userSetText(ElementId::KameraShift, shift);
    surface.userClick(report.offset.cameraAhead ? ElementId::KameraVor : ElementId::KameraNach);

    report.trackFrom = surface.text(ElementId::DateFrom);
    report.trackTo = surface.text(ElementId::DateTo);
    report.trackPoints = std::max(0LL, points);
    report.wayPointFile = wayPointFileName(track).value_or("");

    platform.watch(&surface);
    if (options.dryRun) {
        surface.userClick(ElementId::CombineCmd);
        report.notWritten = "a dry run writes nothing";
    } else {
        // "RUN": the track again (its path is known, so no dialog), the photos, the match, the file.
        surface.userClick(ElementId::RunAllBtn);
        const auto messages = platform.takeMessages();
        if (!messages.empty())
            report.notWritten = messages.front().text;
        else if (report.matched == 0)
            report.notWritten = "no photo matched";
        else
            report.written = true;
    }
    platform.endProgress();

    writeReport(report, options.format, out, err);
    return report.matched > 0 ? 0 : 1;
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
    try {
        return run(options, out, err, progress);
    } catch (const std::exception& error) {
        err << "pelmark geotag: " << error.what() << "\n";
        return 2;
    }
}

} // namespace pelmark::geotag
