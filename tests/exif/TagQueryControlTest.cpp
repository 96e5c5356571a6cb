#include "photos/NavigationTestPhotos.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

Variant tagExif(VeltoraControl& control, TagEnum kind, Variant photoNumber = Variant::missing()) {
    Variant kindValue(static_cast<int>(kind));
    return control.TagExif(kindValue, photoNumber);
}

TEST(TagQueryControl, AFreshControlAnswersWhatItsFieldsHoldAtCreation) {
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    EXPECT_EQ(tagExif(control, TagEnum::GPSAltitude), Variant("0"));
    EXPECT_EQ(tagExif(control, TagEnum::GPSLatitude), Variant(""));
}

TEST(TagQueryControl, APhotoNumberMakesThatPhotoCurrentUnlessItAlreadyIs) {
    struct Case {
        const char* name;
        TagEnum kind;
        Variant photoNumber;
        int photo; // current afterwards
        int loads;
        std::size_t dialogs;
    };
    // Photo 1 is current when each case starts.
    const Case cases[] = {
        {"the current photo", TagEnum::Maker, Variant(1), 1, 0, 0},
        {"another photo", TagEnum::Maker, Variant(7), 7, 1, 0},
        {"a number as text", TagEnum::Maker, Variant("3"), 3, 1, 0},
        {"a half rounds to even", TagEnum::Maker, Variant(2.5), 2, 1, 0},
        {"above the count is the last", TagEnum::Maker, Variant(99), 12, 1, 0},
        {"far above the count", TagEnum::Maker, Variant(1e300), 12, 1, 0},
        {"below one is photo 0, the file dialog", TagEnum::Maker, Variant(-5), 0, 0, 1},
        {"a kind outside still moves", static_cast<TagEnum>(14), Variant(4), 4, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPlatform platform;
        test::NavigationTestPhotos photos(platform, 12);
        Variant number = c.photoNumber;
        Variant answer = tagExif(photos.control, c.kind, number);
        EXPECT_EQ(photos.spin(), c.photo);
        EXPECT_EQ(photos.newLoads(), c.loads);
        EXPECT_EQ(platform.takeDialogs().size(), c.dialogs);
        // A cancelled dialog leaves photo 1's fields in place.
        int shown = c.photo == 0 ? 1 : c.photo;
        std::string maker = photos.makerOf(shown);
        EXPECT_EQ(answer, Variant(c.kind == TagEnum::Maker ? maker : ""));
        EXPECT_EQ(photos.control.surface().text("Hersteller"), maker);
    }
}

} // namespace
} // namespace pelmark
