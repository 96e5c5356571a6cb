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

// Degrees to nine decimals (millimetres), which every reader of a CSV takes.
std::string degreesText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9f", value);
    return text;
}

bool matched(const PhotoRow& row) {
    return row.verdict.kind == PhotoVerdict::Kind::Matched;
}

void writeSummaryText(const GeotagReport& report, std::ostream& out) {
    out << "photos matched: " << report.matched << " of " << report.photoCount << "\n";
    if (report.photosLeftOut > 0)
        out << "photos left out: " << report.photosLeftOut << " (a run takes the first " << report.photoCount
            << " of the folder)\n";
    out << "photos without capture time: " << report.withoutCaptureTime << "\n"
        << "track: " << report.trackPointsRead << " points read, of which " << report.trackPoints
        << " take part";
    if (report.trackPoints > 0) out << ", " << report.trackFrom << " to " << report.trackTo;
    if (report.trackPointsLeftOut)
        out << " (the file holds more points: those past the 10000th are left out)";
    out << "\n";
    if (report.skipped.total() > 0)
        out << "track points skipped: " << report.skipped.withoutTime << " without a time, "
            << report.skipped.impossibleTime << " with an impossible time, " << report.skipped.outOfOrder
            << " out of order, " << report.skipped.withoutPosition << " without a position\n";
    out << "camera offset: " << offsetText(report.offset) << (report.offsetFound ? " (found)" : "") << "\n"
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

void writeTextRow(const PhotoRow& row, std::ostream& out) {
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
    if (row.interpolated) out << ", interpolated";
    if (!row.utc.empty()) out << "; UTC " << row.utc << ", " << row.zone;
    out << "\n";
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

constexpr const char* kCsvHeader =
    "number,name,captured,corrected,matched,point,point_time,seconds,reason,utc,"
    "zone,latitude,longitude,elevation\n";

void writeCsvRow(const PhotoRow& row, std::ostream& out) {
    const bool hasPoint = row.verdict.point != 0;
    out << row.number << "," << csvField(row.name) << "," << csvField(row.captured) << "," << row.corrected
        << "," << (matched(row) ? "yes" : "no") << "," << (hasPoint ? std::to_string(row.verdict.point) : "")
        << "," << row.pointTime << "," << (hasPoint ? secondsText(row.verdict.seconds) : "") << ","
        << csvField(row.reason) << "," << row.utc << "," << csvField(row.zone);
    if (row.place) {
        out << "," << degreesText(row.place->latitude) << "," << degreesText(row.place->longitude) << ",";
        if (row.place->elevation) out << degreesText(*row.place->elevation);
    } else {
        out << ",,,";
    }
    out << "\n";
}

// `value` as the whole document's dump shows it `depth` levels down: a report of many thousand photos is
// written one photo at a time instead of as one tree of them all.
std::string nested(const nlohmann::json& value, int depth) {
    // File names are the file system's bytes; a name that is no UTF-8 must not end the report.
    std::string text = value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
    const std::string indent = "\n" + std::string(static_cast<std::size_t>(2 * depth), ' ');
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + indent.size()))
        text.replace(at, 1, indent);
    return text;
}

nlohmann::json jsonOf(const PhotoRow& row) {
    nlohmann::json photo = {{"number", row.number},     {"name", row.name},
                            {"captured", row.captured}, {"corrected", row.corrected},
                            {"matched", matched(row)},  {"reason", row.reason}};
    if (row.verdict.point != 0) {
        photo["point"] = row.verdict.point;
        photo["pointTime"] = row.pointTime;
        photo["seconds"] = row.verdict.seconds;
        photo["pointBefore"] = row.verdict.pointBefore;
    }
    if (!row.utc.empty()) photo["utc"] = row.utc, photo["zone"] = row.zone;
    if (row.place) {
        photo["latitude"] = row.place->latitude, photo["longitude"] = row.place->longitude;
        if (row.place->elevation) photo["elevation"] = *row.place->elevation;
        photo["interpolated"] = row.interpolated;
    }
    return photo;
}

nlohmann::json jsonSummaryOf(const GeotagReport& report) {
    using nlohmann::json;
    json summary = {
        {"matched", report.matched},
        {"photos", report.photoCount},
        {"withoutCaptureTime", report.withoutCaptureTime},
        {"photosLeftOut", report.photosLeftOut},
        {"trackPointsLeftOut", report.trackPointsLeftOut},
        {"trackPointsRead", report.trackPointsRead},
        {"trackPoints", report.trackPoints},
        {"trackFrom", report.trackFrom},
        {"trackTo", report.trackTo},
        {"segments", report.segments},
        {"trackPointsSkipped",
         {{"withoutTime", report.skipped.withoutTime},
          {"impossibleTime", report.skipped.impossibleTime},
          {"outOfOrder", report.skipped.outOfOrder},
          {"withoutPosition", report.skipped.withoutPosition}}},
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
    return summary;
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

ReportWriter::ReportWriter(ReportFormat format, std::ostream& out, std::ostream& summary)
    : format_(format), out_(out), summary_(summary) {
    if (format_ == ReportFormat::Json) out_ << "{\n  \"photos\": [";
    if (format_ == ReportFormat::Csv) out_ << kCsvHeader;
}

void ReportWriter::row(const PhotoRow& row) {
    switch (format_) {
    case ReportFormat::Text:
        writeTextRow(row, out_);
        break;
    case ReportFormat::Json:
        out_ << (firstRow_ ? "\n    " : ",\n    ") << nested(jsonOf(row), 2);
        break;
    case ReportFormat::Csv:
        writeCsvRow(row, out_);
        break;
    }
    firstRow_ = false;
}

void ReportWriter::finish(const GeotagReport& report) {
    switch (format_) {
    case ReportFormat::Text:
        out_ << "\n";
        writeSummaryText(report, out_);
        break;
    case ReportFormat::Json:
        out_ << (firstRow_ ? "]" : "\n  ]") << ",\n  \"summary\": " << nested(jsonSummaryOf(report), 1)
             << "\n}\n";
        break;
    case ReportFormat::Csv:
        writeSummaryText(report, summary_);
        break;
    }
}

} // namespace pelmark::geotag
