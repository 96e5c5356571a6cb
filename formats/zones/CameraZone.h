#pragma once

#include <string>

namespace date {
class time_zone;
}

namespace pelmark {

// The time zone a camera's clock was set to, by its IANA name ("Europe/Berlin"), from the system's
// zone database: the offset of each photo's own date, so summer time is applied where it was in force.
class CameraZone {
public:
    // Throws PelmarkError (InvalidArgument) for a name the database does not know.
    explicit CameraZone(const std::string& name);

    struct Instant {
        double utcSeconds = 0;
        int offsetSeconds = 0; // east of UTC, in force at that instant
        std::string abbreviation;
    };

    // The instant of `clockSeconds`, the camera's time read as if it were UTC. In the hour a change
    // back to winter time shows twice, the first of them (the clock still on summer time); in the hour
    // a change forward skips, the offset from before the change (a clock not yet set forward).
    Instant utcOf(double clockSeconds) const;

    const std::string& name() const { return name_; }

private:
    std::string name_;
    const date::time_zone* zone_ = nullptr;
};

} // namespace pelmark
