#pragma once

#include "records/Track.h"

#include <string>

namespace pelmark {

// A track file as read: its title and its points from slot 1 on, in file order.
struct TrackLog {
    std::string title;
    Track points;
    long long count = 0;        // points read completely
    bool pointsLeftOut = false; // the file holds more points than the table

    // The last point read takes part in no match (the file's closing point); the points before it do.
    long long matchedCount() const { return count - 1; }
};

} // namespace pelmark
