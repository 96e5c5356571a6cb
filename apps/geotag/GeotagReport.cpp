#include "geotag/GeotagReport.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

namespace pelmark::geotag {

namespace {

std::string fileLine(const GeotagReport& report) {
    if (report.written) return "written to " + report.wayPointFile;
    return "not written: " + report.notWritten;
}

// `text` in a column of `width` characters at least, blanks on the left (`right`) or the right.
void padded(std::string& line, std::string_view text, std::size_t width, bool right) {
    const std::size_t blanks = text.size() < width ? width - text.size() : 0;
    if (right) line.append(blanks, ' ');
    line += text;
    if (!right) line.append(blanks, ' ');
}

bool matched(const PhotoRow& row) {
    return row.verdict.kind == PhotoVerdict::Kind::Matched;
}

void writeSummaryText(const GeotagReport& report, std::ostream& out) {
    out << "photos matched: " << report.matched << " of " << report.photos.size() << "\n";
    if (report.photosLeftOut > 0)
        out << "photos left out: " << report.photosLeftOut << " (a run takes the first "
            << report.photos.size() << " of the folder)\n";
    out << "photos without capture time: " << report.withoutCaptureTime << "\n"
        << "track: " << report.trackPointsRead << " points read, of which " << report.trackPoints
        << " take part";
    if (report.trackPoints > 0) out << ", " << report.trackFrom << " to " << report.trackTo;
    if (report.trackPointsLeftOut)
        out << " (the file holds more points: those past the 10000th are left out)";
    out << "\n"
        << "camera offset: " << offsetText(report.offset) << (report.offsetFound ? " (found)" : "") << "\n"
        << "waypoint file: " << fileLine(report) << "\n";
    if (report.best.matched > 0)
        out << "best offset: " << offsetText(report.best.offset) << ", " << report.best.matched
            << " photos; as many with any offset between "
            << offsetText(CameraOffset::fromAdded(report.best.lowestAdded)) << " and "
            << offsetText(CameraOffset::fromAdded(report.best.highestAdded)) << " (exclusive)\n";
    for (const std::string& line : report.outputs)
        out << line << "\n";
    if (report.advice) out << *report.advice << "\n";
}

void writeText(const GeotagReport& report, std::ostream& out) {
    for (const PhotoRow& row : report.photos) {
        std::string head;
        const std::string number = std::to_string(row.number);
        padded(head, number, 4, true);
        head += "  ";
        padded(head, row.name, 14, false);
        head += ' ';
        padded(head, row.captured.empty() ? "-" : row.captured, 19, false);
        head += " -> ";
        padded(head, row.corrected.empty() ? "-" : row.corrected, 21, false);
        head += ' ';
        out << head << (matched(row) ? "matched " : "no match: ") << row.reason;
        if (matched(row)) out << " (" << row.pointTime << ")";
        out << "\n";
    }
    out << "\n";
    writeSummaryText(report, out);
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

void writeCsv(const GeotagReport& report, std::ostream& out) {
    out << "number,name,captured,corrected,matched,point,point_time,seconds,reason\n";
    for (const PhotoRow& row : report.photos) {
        const bool hasPoint = row.verdict.point != 0;
        out << row.number << "," << csvField(row.name) << "," << csvField(row.captured) << ","
            << row.corrected << "," << (matched(row) ? "yes" : "no") << ","
            << (hasPoint ? std::to_string(row.verdict.point) : "") << "," << row.pointTime << ","
            << (hasPoint ? secondsText(row.verdict.seconds) : "") << "," << csvField(row.reason) << "\n";
    }
}

void writeJson(const GeotagReport& report, std::ostream& out) {
    using nlohmann::json;
    json photos = json::array();
    for (const PhotoRow& row : report.photos) {
        json photo = {{"number", row.number},       {"name", row.name},        {"captured", row.captured},
                      {"corrected", row.corrected}, {"matched", matched(row)}, {"reason", row.reason}};
        if (row.verdict.point != 0) {
            photo["point"] = row.verdict.point;
            photo["pointTime"] = row.pointTime;
            photo["seconds"] = row.verdict.seconds;
            photo["pointBefore"] = row.verdict.pointBefore;
        }
        photos.push_back(std::move(photo));
    }
    json summary = {
        {"matched", report.matched},
        {"photos", report.photos.size()},
        {"withoutCaptureTime", report.withoutCaptureTime},
        {"photosLeftOut", report.photosLeftOut},
        {"trackPointsLeftOut", report.trackPointsLeftOut},
        {"trackPointsRead", report.trackPointsRead},
        {"trackPoints", report.trackPoints},
        {"trackFrom", report.trackFrom},
        {"trackTo", report.trackTo},
        {"offset", {{"seconds", report.offset.seconds}, {"cameraAhead", report.offset.cameraAhead}}},
        {"offsetFound", report.offsetFound},
        {"bestOffset",
         {{"seconds", report.best.offset.seconds},
          {"cameraAhead", report.best.offset.cameraAhead},
          {"matched", report.best.matched},
          {"lowestAdded", report.best.lowestAdded},
          {"highestAdded", report.best.highestAdded}}},
        {"wayPointFile", report.wayPointFile},
        {"written", report.written}};
    if (!report.written) summary["notWritten"] = report.notWritten;
    if (report.advice) summary["advice"] = *report.advice;
    if (!report.outputs.empty()) summary["outputs"] = report.outputs;
    // File names are the file system's bytes; a name that is no UTF-8 must not end the report.
    out << json{{"photos", photos}, {"summary", summary}}.dump(2, ' ', false, json::error_handler_t::replace)
        << "\n";
}

} // namespace

std::string quarterHoursText(double seconds) {
    const double quarters = std::fabs(seconds) / 900;
    if (quarters < 1 || quarters != std::floor(quarters)) return {};
    const long long minutes = static_cast<long long>(quarters) * 15;
    std::string text;
    if (minutes >= 60) text = std::to_string(minutes / 60) + " h";
    if (minutes % 60 != 0) text += (text.empty() ? "" : " ") + std::to_string(minutes % 60) + " min";
    return text;
}

std::string offsetText(CameraOffset offset) {
    return secondsText(offset.seconds) + " s " + (offset.cameraAhead ? "ahead" : "behind");
}

void writeReport(const GeotagReport& report, ReportFormat format, std::ostream& out, std::ostream& summary) {
    switch (format) {
    case ReportFormat::Text:
        writeText(report, out);
        break;
    case ReportFormat::Json:
        writeJson(report, out);
        break;
    case ReportFormat::Csv:
        writeCsv(report, out);
        writeSummaryText(report, summary);
        break;
    }
}

} // namespace pelmark::geotag
