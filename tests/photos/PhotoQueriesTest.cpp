#include "photos/PhotoQueries.h"

#include "base/Error.h"
#include "photos/NavigationTestPhotos.h"
#include "photos/PhotoRig.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

TEST(PhotoQueries, FileNamePartIsWhatFollowsTheLastSeparatorAfterTheFirstCharacter) {
    struct Case {
        const char* name;
        const char* path;
        Variant expected;
    };
    const Case cases[] = {
        {"full path", "/a/b/IMG_0001.JPG", Variant("IMG_0001.JPG")},
        {"separator second", "x/a.jpg", Variant("a.jpg")},
        {"ends in the separator", "/Bilder/", Variant("")},
        {"two separators", "//", Variant("")},
        {"only separator is the first character", "/a.jpg", Variant()},
        {"no separator", "a.jpg", Variant()},
        {"one character", "/", Variant()},
        {"empty", "", Variant()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fileNamePart(c.path), c.expected);
    }
}

TEST(PhotoQueries, PhotoPathAndPhotoNameMakeThePhotoCurrent) {
    struct Case {
        const char* name;
        Variant number;
        int photo;
        int loads; // by PhotoPath and PhotoName together
        char separator = '.';
    };
    // 12 photos, photo 5 current. A call loads nothing when the field already holds the number's text;
    // a number the field corrects (30 to "12", 2.5 to "2") therefore loads again on the second call.
    const Case cases[] = {
        {"a number", Variant(3), 3, 1},
        {"above the count", Variant(30), 12, 2},
        {"a number as text", Variant("7"), 7, 1},
        {"a half rounds to even", Variant(2.5), 2, 2},
        {"the current photo", Variant(5), 5, 0},
        {"the current photo as text", Variant("5"), 5, 0},
        // A number is written with a point whatever the user's separator.
        {"a fraction under a decimal comma", Variant(3.5), 4, 2, ','},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPlatform platform;
        platform.setDecimalSeparator(c.separator);
        test::NavigationTestPhotos photos(platform, 12);
        photos.startOn(5);
        int yields = platform.yieldCount();

        Variant number = c.number;
        EXPECT_EQ(photos.control.PhotoPath(number), Variant(photos.path(c.photo)));
        Variant name = photos.control.PhotoName(number);
        EXPECT_EQ(photos.makerOf(c.photo), "maker " + name.asText());
        EXPECT_EQ(photos.spin(), c.photo);
        EXPECT_EQ(photos.newLoads(), c.loads);
        EXPECT_GE(platform.yieldCount(), yields + 2) << "each call lets events run";
        EXPECT_EQ(number, c.number) << "the caller's variable is left as it was";
    }
}

TEST(PhotoQueries, AMissingNumberOrAVanishedPhotoFailsToTheHostWithoutADialog) {
    struct Case {
        const char* name;
        Variant number;
        ErrorKind error;
    };
    const Case cases[] = {
        {"no number", Variant::missing(), ErrorKind::TypeMismatch},
        // Photo 2 was deleted after the scan; its load is tried and fails.
        {"a vanished photo", Variant(2), ErrorKind::FileNotFound},
    };
    for (const auto& c : cases) {
        for (auto query : {&VeltoraControl::PhotoPath, &VeltoraControl::PhotoName}) {
            SCOPED_TRACE(c.name);
            ScriptedPlatform platform;
            test::NavigationTestPhotos photos(platform, 3);
            std::filesystem::remove(photos.path(2));
            Variant number = c.number;
            EXPECT_EQ(test::failureOf([&] { (photos.control.*query)(number); }), c.error);
            EXPECT_EQ(photos.newLoads(), 0);
            EXPECT_TRUE(platform.takeDialogs().empty());
        }
    }
}

} // namespace
} // namespace pelmark
