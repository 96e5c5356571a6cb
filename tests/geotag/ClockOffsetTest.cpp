#include "geotag/ClockOffset.h"

#include "base/Error.h"
#include "track/TrackRig.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

// The comparison itself, offsets and directions included, runs end to end in the clock transcript; a
// point time that no track can hold (negative, beyond four bytes, no number) is refused before it.
TEST(DiffExifTrackTime, RefusesAPointTimeNoTrackCanHold) {
    test::TrackRig rig;
    ClockOffset offset{rig.context};
    const Variant times[] = {Variant(-1), Variant(4294967296.0), Variant("gestern")};
    for (const Variant& time : times) {
        SCOPED_TRACE(&time - times);
        EXPECT_THROW(offset.DiffExifTrackTime(Variant("2003:06:14 10:00:00"), time), PelmarkError);
    }
}

} // namespace
} // namespace pelmark
