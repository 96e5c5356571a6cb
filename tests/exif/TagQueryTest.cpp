#include "exif/TagQuery.h"

#include "base/Error.h"
#include "exif/ByteOrder.h"
#include "photos/PhotoRig.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pelmark {
namespace {

// A query over the control's real elements, with the photo selection recorded instead of loading.
struct QueryBench {
    test::PhotoRig rig;
    ScriptedPlatform& platform = rig.platform;
    Surface& surface = rig.surface;
    std::vector<double> selected;
    TagQuery query{rig.context, rig.exif.record, [this](double number) { selected.push_back(number); }};
};

// Which field each kind answers, and the dates' fallbacks, are checked end to end by the tagquery
// transcript.
TEST(TagQuery, APhotoNumberSelectsThePhotoAndYieldsOnceBeforeTheAnswer) {
    QueryBench bench;
    bench.platform.atYield(1, [&] { bench.surface.setText("Modell", "loaded meanwhile"); });
    EXPECT_EQ(bench.query.tagExif(Variant(9), Variant("4")), Variant("loaded meanwhile"));
    EXPECT_EQ(bench.selected, std::vector<double>{4});
    EXPECT_EQ(bench.platform.yieldCount(), 1);

    EXPECT_EQ(bench.query.tagExif(Variant(9), Variant::missing()), Variant("loaded meanwhile"));
    EXPECT_EQ(bench.selected.size(), 1u) << "no number, no selection";
    EXPECT_EQ(bench.platform.yieldCount(), 1);
    // A number with letters after it fails before anything is selected.
    EXPECT_THROW(bench.query.tagExif(Variant(9), Variant("3x")), PelmarkError);
    EXPECT_EQ(bench.selected.size(), 1u);
    EXPECT_EQ(bench.platform.yieldCount(), 1);
}

using test::failureOf;

// The rows of both conversions run end to end in the bytes transcript; these are too long for a line.
TEST(Wert, ZeroBytesFarOutAddNothingAndANonZeroOneBeyondAnyDoubleIsAnOverflow) {
    EXPECT_EQ(Wert(std::string(300, '\0'), Variant("II")), Variant(0));
    EXPECT_EQ(failureOf([] { Wert(std::string(200, '\0') + '\x01', Variant("II")); }), ErrorKind::Overflow);
}

} // namespace
} // namespace pelmark
