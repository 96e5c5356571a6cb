#include "exif/TagQuery.h"

#include "base/Error.h"
#include "photos/NavigationTestPhotos.h"
#include "photos/PhotoRig.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace pelmark {
namespace {

// A query over the control's real elements, with the photo selection recorded instead of loading.
struct QueryBench {
    test::PhotoRig rig;
    ScriptedPlatform& platform = rig.platform;
    Surface& surface = rig.surface;
    std::vector<double> selected;
    TagQuery query{rig.context, [this](double number) { selected.push_back(number); }};

    std::string ask(double kind) { return query.tagExif(Variant(kind), Variant::missing()).asText(); }
};

TEST(TagQuery, DateKindsFallBackToTheNextDate) {
    struct Case {
        const char* name;
        const char* original;
        const char* digitized;
        const char* modified;
        const char* answers[3]; // DatumOriginal, DatumDigitized, DatumModified
    };
    const Case cases[] = {
        {"all three", "A", "B", "C", {"A", "B", "C"}},
        {"modified only", "", "", "C", {"C", "C", "C"}},
        {"digitized only", "", "B", "", {"B", "B", ""}},
        {"original and modified", "A", "", "C", {"A", "C", "C"}},
        {"none", "", "", "", {"", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QueryBench bench;
        bench.surface.setText("DateOriginalTxt", c.original);
        bench.surface.setText("DateDigitizedTxt", c.digitized);
        bench.surface.setText("DatumZeit", c.modified);
        for (int kind = 0; kind < 3; ++kind)
            EXPECT_EQ(bench.ask(kind), c.answers[kind]) << "kind " << kind;
    }
}

TEST(TagQuery, EveryOtherKindAnswersItsOwnFieldAndNeverFallsBack) {
    struct Case {
        TagEnum kind;
        const char* field;
    };
    const Case cases[] = {
        {TagEnum::ExposureTime, "ExposureTimeTxt"},
        {TagEnum::FNumber, "FNrTxt"},
        {TagEnum::GPSLatitude, "GPSLat"},
        {TagEnum::GPSLongitude, "GPSLon"},
        {TagEnum::GPSAltitude, "GPSAlt"},
        {TagEnum::Maker, "Hersteller"},
        {TagEnum::Camera, "Modell"},
        {TagEnum::Comment, "UserComment"},
        {TagEnum::ImageDescription, "Description"},
        {TagEnum::Maker_Note, "MakerNote"},
        {TagEnum::CamFirmware, "SoftWareVersion"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        QueryBench bench;
        // Every field but this one holds its own name, so a wrong row or a fallback shows.
        for (const auto& other : cases)
            bench.surface.setText(other.field, other.field);
        for (const char* date : {"DateOriginalTxt", "DateDigitizedTxt", "DatumZeit"})
            bench.surface.setText(date, date);
        double kind = static_cast<double>(c.kind);
        bench.surface.setText(c.field, "");
        EXPECT_EQ(bench.ask(kind), "");
        bench.surface.setText(c.field, "edited by the user");
        EXPECT_EQ(bench.ask(kind), "edited by the user");
    }
}

TEST(TagQuery, KindIsReadAsAWholeNumberAndOutsideTheEnumerationAnswersTheEmptyText) {
    struct Case {
        const char* name;
        Variant kind;
        const char* expected;
    };
    const Case cases[] = {
        {"a number as text", Variant("8"), "maker"},
        {"a half goes to the even neighbour", Variant(8.5), "maker"},
        {"and up from an odd one", Variant(7.5), "maker"},
        {"empty reads as 0", Variant(), "original"},
        {"just below a half past the last", Variant(13.49), "firmware"},
        {"one past the last", Variant(14), ""},
        {"minus one", Variant(-1), ""},
        {"far out", Variant(1e300), ""},
        {"not a number", Variant(NAN), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QueryBench bench;
        bench.surface.setText("Hersteller", "maker");
        bench.surface.setText("DateOriginalTxt", "original");
        bench.surface.setText("SoftWareVersion", "firmware");
        EXPECT_EQ(bench.query.tagExif(c.kind, Variant::missing()), Variant(c.expected));
    }
}

TEST(TagQuery, APhotoNumberSelectsThePhotoAndYieldsOnceBeforeTheAnswer) {
    QueryBench bench;
    bench.platform.atYield(1, [&] { bench.surface.setText("Modell", "loaded meanwhile"); });
    EXPECT_EQ(bench.query.tagExif(Variant(9), Variant("4")), Variant("loaded meanwhile"));
    EXPECT_EQ(bench.selected, std::vector<double>{4});
    EXPECT_EQ(bench.platform.yieldCount(), 1);

    EXPECT_EQ(bench.query.tagExif(Variant(9), Variant::missing()), Variant("loaded meanwhile"));
    EXPECT_EQ(bench.selected.size(), 1u) << "no number, no selection";
    EXPECT_EQ(bench.platform.yieldCount(), 1);
}

TEST(TagQuery, ArgumentsThatAreNoNumberFailBeforeAnyPhotoIsSelected) {
    struct Case {
        const char* name;
        Variant kind;
        Variant photoNumber;
    };
    const Case cases[] = {
        {"photo number of letters", Variant(0), Variant("drei")},
        {"photo number with trailing letters", Variant(0), Variant("3x")},
        {"kind of letters", Variant("Maker"), Variant(3)},
        {"kind left out", Variant::missing(), Variant(3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QueryBench bench;
        EXPECT_EQ(test::failureOf([&] { bench.query.tagExif(c.kind, c.photoNumber); }),
                  ErrorKind::TypeMismatch);
        EXPECT_TRUE(bench.selected.empty());
        EXPECT_EQ(bench.platform.yieldCount(), 0);
    }
}

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
