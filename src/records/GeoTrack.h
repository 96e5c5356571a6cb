#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace pelmark {

// A track point as the geotagging engine compares it, whichever file it came from: a place in degrees
// and an instant in UTC.
struct GeoPoint {
    double latitude = 0;             // degrees, north positive (WGS 84)
    double longitude = 0;            // degrees, east positive
    double utcSeconds = 0;           // seconds since 1970-01-01 00:00:00 UTC, with their fraction
    std::optional<double> elevation; // metres, when the file gives one
    std::uint32_t segment = 0;       // a photo is never placed on the line between two segments
};

// Points a reader passed over, by reason; a run reports them instead of matching photos to them.
struct SkippedPoints {
    long long withoutTime = 0;
    long long impossibleTime = 0;  // a date or time no calendar has (2003-02-30, 25:00), or no time at all
    long long outOfOrder = 0;      // not later than the point before it in the segment
    long long withoutPosition = 0; // no latitude or longitude, or one outside the globe

    long long total() const { return withoutTime + impossibleTime + outOfOrder + withoutPosition; }
};

// The points of one or more track files, segment after segment in reading order. Within a segment the
// times only grow: a point that does not is skipped as it arrives, so the engine never meets one.
struct GeoTrack {
    std::vector<GeoPoint> points;
    std::uint32_t segments = 0;
    SkippedPoints skipped;

    // The points added from now on belong to a segment of their own.
    void startSegment() { ++segments; }

    // Adds `point` to the current segment, or counts it as out of order.
    void add(GeoPoint point) {
        point.segment = segments == 0 ? 0 : segments - 1;
        if (!points.empty() && points.back().segment == point.segment &&
            !(point.utcSeconds > points.back().utcSeconds)) {
            ++skipped.outOfOrder;
            return;
        }
        points.push_back(point);
    }
};

} // namespace pelmark
