#pragma once

namespace pelmark {

// A camera clock offset as the user enters it: seconds, and whether the camera runs ahead of the GPS
// (then the seconds are taken off the photo's time) or behind it (then they are added).
struct CameraOffset {
    double seconds = 0;
    bool cameraAhead = false;

    // The seconds added to the photo's time.
    double added() const { return cameraAhead ? -seconds : seconds; }
    static CameraOffset fromAdded(double added) { return {added < 0 ? -added : added, added < 0}; }
};

} // namespace pelmark
