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

// Photo 2 was deleted after the scan: its load is tried and fails to the host, without a dialog. The
// numbers these members take are checked end to end by the members transcript.
TEST(PhotoQueries, AVanishedPhotoFailsToTheHostWithoutADialog) {
    for (auto query : {&VeltoraControl::PhotoPath, &VeltoraControl::PhotoName}) {
        ScriptedPlatform platform;
        test::NavigationTestPhotos photos(platform, 3);
        std::filesystem::remove(photos.path(2));
        Variant number(2);
        EXPECT_EQ(test::failureOf([&] { (photos.control.*query)(number); }), ErrorKind::FileNotFound);
        EXPECT_EQ(photos.newLoads(), 0);
        EXPECT_TRUE(platform.takeDialogs().empty());
    }
}

} // namespace
} // namespace pelmark
