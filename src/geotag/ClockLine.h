#pragma once

#include <span>

namespace pelmark {

// A photo of the GPS receiver's display: the instant the camera gave the photo, and the instant the
// receiver showed.
struct ClockPhoto {
    double cameraUtc = 0;
    double receiverUtc = 0;
};

// The camera clock's error as a straight line through the clock photos: an offset at `originUtc` and a
// drift (seconds gained per second). One photo gives the offset alone; two or more the line of least
// squares, so a clock that gains 30 s a day is followed across a long trip.
struct ClockLine {
    double offsetSeconds = 0;
    double driftPerSecond = 0;
    double originUtc = 0;

    double corrected(double cameraUtc) const {
        return cameraUtc + offsetSeconds + driftPerSecond * (cameraUtc - originUtc);
    }
};

// Throws PelmarkError (InvalidArgument) for no photo. Photos all taken at one camera instant give the
// mean offset and no drift.
ClockLine fitClockLine(std::span<const ClockPhoto> photos);

} // namespace pelmark
