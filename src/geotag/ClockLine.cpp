#include "geotag/ClockLine.h"

#include "base/Error.h"

namespace pelmark {

ClockLine fitClockLine(std::span<const ClockPhoto> photos) {
    if (photos.empty()) throw PelmarkError(ErrorKind::InvalidArgument, "no clock photo to set the camera by");
    // Centred on the photos' mean, the line's offset is the mean error and the two sums stay small.
    const auto n = static_cast<double>(photos.size());
    ClockLine line;
    double meanError = 0;
    for (const ClockPhoto& photo : photos) {
        line.originUtc += photo.cameraUtc / n;
        meanError += (photo.receiverUtc - photo.cameraUtc) / n;
    }
    double xy = 0, xx = 0;
    for (const ClockPhoto& photo : photos) {
        const double x = photo.cameraUtc - line.originUtc;
        xy += x * (photo.receiverUtc - photo.cameraUtc - meanError);
        xx += x * x;
    }
    line.offsetSeconds = meanError;
    line.driftPerSecond = xx > 0 ? xy / xx : 0;
    return line;
}

} // namespace pelmark
