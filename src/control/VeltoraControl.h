#pragma once

#include "base/Jobs.h"
#include "base/Variant.h"
#include "control/MemberList.h"
#include "exif/TagEnum.h"
#include "platform/Platform.h"
#include "records/Track.h"
#include "records/WayPoints.h"
#include "surface/Surface.h"
#include "track/DialogMode.h"

#include <memory>

namespace pelmark {

// The control `Veltora` without its widgets: the public members in their fixed order, over the
// subsystems that do the work. By-reference parameters are the caller's variables and may be written
// back; an optional parameter left out is `Variant::missing()`. Failures reach the caller as
// PelmarkError.
class VeltoraControl {
public:
    explicit VeltoraControl(Platform& platform);
    ~VeltoraControl();
    VeltoraControl(const VeltoraControl&) = delete;
    VeltoraControl& operator=(const VeltoraControl&) = delete;

    Surface& surface();
    Platform& platform();
    // What the last track load read and what the last run matched, for a host that explains a run
    // in its own words.
    const Track& track() const;
    const WayPoints& wayPoints() const;
    // The long job that holds the control (RUN, a matching run, a track load ...), or none: a host
    // that shows a job's progress beside the control tells its steps from the user's browsing by it.
    Job runningJob() const;

    Variant Anzahl() const;
    void setAnzahl(const Variant& value);
    Variant GARTripPath() const;
    void setGARTripPath(const Variant& value);
#define PELMARK_DECLARE0(slot, name, kind, id, result) result name();
#define PELMARK_DECLARE1(slot, name, kind, id, result, p1, n1) result name(PELMARK_PARAMETER_##p1(n1));
#define PELMARK_DECLARE2(slot, name, kind, id, result, p1, n1, p2, n2)                                       \
    result name(PELMARK_PARAMETER_##p1(n1), PELMARK_PARAMETER_##p2(n2));
    PELMARK_METHODS(PELMARK_DECLARE0, PELMARK_DECLARE1, PELMARK_DECLARE2)
#undef PELMARK_DECLARE0
#undef PELMARK_DECLARE1
#undef PELMARK_DECLARE2

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace pelmark
