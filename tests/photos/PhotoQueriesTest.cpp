#include "photos/PhotoQueries.h"

#include "base/Error.h"
#include "photos/NavigationTestPhotos.h"

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
        {"full path", "/Bilder/a.jpg", Variant("a.jpg")},
        {"last separator wins", "/a/b/c/IMG_0001.JPG", Variant("IMG_0001.JPG")},
        {"ends in the separator", "/Bilder/", Variant("")},
        {"relative folder and file", "Bilder/a.jpg", Variant("a.jpg")},
        {"separator second", "x/a.jpg", Variant("a.jpg")},
        {"only separator is the first character", "/a.jpg", Variant()},
        {"no separator", "a.jpg", Variant()},
        {"a lone separator", "/", Variant()},
        {"one character", "a", Variant()},
        {"empty", "", Variant()},
        {"two separators", "//", Variant("")},
        {"backslash is no separator here", "C:\\Bilder\\a.jpg", Variant()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fileNamePart(c.path), c.expected);
    }
}

TEST(PhotoQueries, PhotoPathMakesThePhotoCurrentAndAnswersItsPath) {
    struct Case {
        const char* name;
        Variant number;
        int photo;
    };
    const Case cases[] = {
        {"a number", Variant(3), 3},
        {"the last", Variant(12), 12},
        {"above the count", Variant(30), 12},
        {"a number as text", Variant("7"), 7},
        {"a half rounds to even", Variant(2.5), 2},
        {"the other half", Variant(3.5), 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPlatform platform;
        test::NavigationTestPhotos photos(platform, 12);
        photos.control.surface().userSetText("ActPictNum", "5");
        photos.newLoads();
        int yields = platform.yieldCount();

        Variant number = c.number;
        EXPECT_EQ(photos.control.PhotoPath(number), Variant(photos.path(c.photo)));
        EXPECT_EQ(photos.spin(), c.photo);
        EXPECT_EQ(photos.newLoads(), 1);
        EXPECT_GT(platform.yieldCount(), yields);
        EXPECT_EQ(number, c.number) << "the caller's variable is left as it was";
    }
}

TEST(PhotoQueries, AskingForTheCurrentPhotoLoadsNothing) {
    ScriptedPlatform platform;
    test::NavigationTestPhotos photos(platform, 6);
    Variant four(4);
    photos.control.PhotoPath(four);
    photos.newLoads();
    int yields = platform.yieldCount();

    EXPECT_EQ(photos.control.PhotoPath(four), Variant(photos.path(4)));
    EXPECT_EQ(photos.control.PhotoName(four), Variant(photos.path(4).substr(photos.folder.folder().size())));
    EXPECT_EQ(photos.newLoads(), 0);
    EXPECT_EQ(platform.yieldCount(), yields + 2) << "each call still lets events run once";
}

TEST(PhotoQueries, AFractionIsReadTheSameWhateverTheDecimalSeparator) {
    for (char separator : {'.', ','}) {
        SCOPED_TRACE(std::string("separator ") + separator);
        ScriptedPlatform platform;
        platform.setDecimalSeparator(separator);
        test::NavigationTestPhotos photos(platform, 6);
        Variant threeAndAHalf(3.5);
        EXPECT_EQ(photos.control.PhotoPath(threeAndAHalf), Variant(photos.path(4)));
    }
}

TEST(PhotoQueries, PhotoNameWalksTheListByName) {
    ScriptedPlatform platform;
    test::NavigationTestPhotos photos(platform, 5);
    for (int number = 1; number <= 5; ++number) {
        SCOPED_TRACE(number);
        Variant n(number);
        Variant name = photos.control.PhotoName(n);
        ASSERT_TRUE(name.isText());
        EXPECT_EQ(photos.folder.folder() + name.asText(), photos.path(number));
        EXPECT_EQ(photos.control.surface().text("Hersteller"), "maker " + name.asText());
    }
}

TEST(PhotoQueries, PhotoNumberZeroAsksForAFile) {
    ScriptedPlatform platform;
    test::NavigationTestPhotos photos(platform, 3);
    Variant two(2), zero(0);
    photos.control.PhotoPath(two);
    // Cancelled: the current photo stays, and so does its path.
    EXPECT_EQ(photos.control.PhotoPath(zero), Variant(photos.path(2)));
    EXPECT_EQ(platform.takeDialogs().size(), 1u);
}

TEST(PhotoQueries, AMissingPhotoNumberIsATypeMismatchAndLoadsNothing) {
    ScriptedPlatform platform;
    test::NavigationTestPhotos photos(platform, 3);
    Variant missing = Variant::missing();
    for (auto query : {&VeltoraControl::PhotoPath, &VeltoraControl::PhotoName}) {
        try {
            (photos.control.*query)(missing);
            ADD_FAILURE() << "no error";
        } catch (const PelmarkError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::TypeMismatch);
        }
    }
    EXPECT_EQ(photos.newLoads(), 0);
    EXPECT_TRUE(platform.takeDialogs().empty());
}

} // namespace
} // namespace pelmark
