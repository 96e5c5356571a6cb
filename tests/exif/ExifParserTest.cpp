#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>

namespace pelmark {
namespace {

using namespace fixtures;

// Tag numbers as cameras write them.
constexpr std::uint16_t kDescription = 0x010E, kMake = 0x010F, kModel = 0x0110, kSoftware = 0x0131,
                        kDateTime = 0x0132, kGpsPointer = 0x8825, kExifPointer = 0x8769;
constexpr std::uint16_t kExposureTime = 0x829A, kFNumber = 0x829D, kExposureProgram = 0x8822,
                        kExifVersion = 0x9000, kDateOriginal = 0x9003, kDateDigitized = 0x9004,
                        kFlash = 0x9209, kMakerNote = 0x927C, kSubSec = 0x9290, kSubSecOriginal = 0x9291,
                        kSubSecDigitized = 0x9292;
constexpr std::uint16_t kColorSpace = 0xA001; // a tag the parser does not know

JpegExifWriter photoWith(const std::vector<TiffEntry>& main, const std::vector<TiffEntry>& sub) {
    JpegExifWriter writer;
    for (const TiffEntry& entry : main)
        writer.main(entry);
    for (const TiffEntry& entry : sub)
        writer.sub(entry);
    return writer;
}
JpegExifWriter inMain(const std::vector<TiffEntry>& entries) {
    return photoWith(entries, {});
}
JpegExifWriter inSub(const std::vector<TiffEntry>& entries) {
    return photoWith({}, entries);
}

class ExifParserTest : public ::testing::Test {
protected:
    void load(const JpegExifWriter& writer, char separator = '.') {
        platform.setDecimalSeparator(separator);
        Variant path(dir.write("photo.jpg", writer.bytes()));
        control.LoadPictures(path);
    }
    const std::string& text(const char* name) { return control.surface().text(name); }
    const std::string& panel(int number) {
        return control.surface().get("StatusBar1").panels.at(static_cast<std::size_t>(number - 1)).text;
    }

    test::TempDir dir;
    ScriptedPlatform platform;
    VeltoraControl control{platform};
};

// What one photo shows in one field. Fields not named keep the text a load clears them to.
TEST_F(ExifParserTest, EachRowFillsItsField) {
    struct Case {
        const char* name;
        JpegExifWriter photo;
        const char* field;
        std::string expected;
        char separator = '.';
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"ExifVersion, comma",         inSub({undefinedEntry(kExifVersion, "0210")}), "ExifVers", "2,1", ','},
        {"ExifVersion without digits", inSub({undefinedEntry(kExifVersion, "x210")}), "ExifVers", "0"},
        {"a later 0x90xx tag writes ExifVers again",
         inSub({undefinedEntry(kExifVersion, "0210"), undefinedEntry(0x9010, "0300")}), "ExifVers", "3"},
        {"program 8",       inSub({shortEntry(kExposureProgram, 8)}), "ExposureProgram", "8 - Landscape Mode"},
        {"program 0: none", inSub({shortEntry(kExposureProgram, 0)}), "ExposureProgram", ""},
        {"program 9: none", inSub({shortEntry(kExposureProgram, 9)}), "ExposureProgram", ""},
        {"FNumber 30 has no decimals", inSub({rationalEntry(kFNumber, 30, 10)}), "FNrTxt", "3", ','},
        {"time in the value field", inSub({shortEntry(kExposureTime, 4)}), "ExposureTimeTxt", "1 / 40"},
        {"no value bytes",    inSub({rawEntry(kExposureTime, 5, 1, 0x7FFFFFF0)}), "ExposureTimeTxt", ""},
        {"DateTime with SubSecTime", photoWith({asciiEntry(kDateTime, "2003:08:14 09:30:12")}, {asciiEntry(kSubSec, "00")}),
         "DatumZeit", "2003:08:14 09:30:12.00"},
        {"DateTimeOriginal with its sub-second", inSub({asciiEntry(kDateOriginal, "2003:08:14 09:30:12"), asciiEntry(kSubSecOriginal, "5")}),
         "DateOriginalTxt", "2003:08:14 09:30:12.5"},
        {"DateTimeDigitized with its sub-second", inSub({asciiEntry(kDateDigitized, "2003:08:14 09:30:13"), asciiEntry(kSubSecDigitized, "25")}),
         "DateDigitizedTxt", "2003:08:14 09:30:13.25"},
        {"a sub-second without its date", inSub({asciiEntry(kSubSecOriginal, "7")}), "DateOriginalTxt", ".7"},
        {"MakerNote ends at zero", inSub({undefinedEntry(kMakerNote, std::string("Lumos\0\1\2", 8))}), "MakerNote", "Lumos"},
        {"ImageDescription keeps its blanks and ends at the zero byte",
         inMain({undefinedEntry(kDescription, std::string("  Am See  \0hidden", 17))}), "Description", "  Am See  "},
        {"GPS pointer in hex",       inMain({rawEntry(kGpsPointer, 4, 1, 0x2F0)}),  "GPSOffSetTxt",  "2F0"},
        {"an Exif pointer of 0x10A", inMain({rawEntry(kExifPointer, 4, 1, 0x10A)}), "SubExifPosTxt", "10A"},
        {"a first-directory tag in the sub", inSub({asciiEntry(kMake, "Lumo")}),       "Hersteller",      ""},
        {"a sub tag in the first directory", inMain({shortEntry(kExposureTime, 4)}),   "ExposureTimeTxt", ""},
        {"no Exif pointer",                  inMain({asciiEntry(kMake, "Lumo")}),      "SubExifPosTxt",   ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        load(c.photo, c.separator);
        EXPECT_EQ(text(c.field), c.expected);
    }
}

TEST_F(ExifParserTest, FlashFillsItsValueAndBothCheckBoxes) {
    // {code, Flash, StrobeReturnLight}
    for (auto [code, flash, strobe] : {std::array{0, 0, 0}, {1, 1, 0}, {7, 1, 1}, {25, 1, 0}}) {
        SCOPED_TRACE(code);
        load(inSub({shortEntry(kFlash, static_cast<std::uint16_t>(code))}));
        EXPECT_EQ(text("FlashValue"), std::to_string(code));
        EXPECT_EQ(control.surface().value("Flash"), flash);
        EXPECT_EQ(control.surface().value("StrobeReturnLight"), strobe);
    }
}

TEST_F(ExifParserTest, CountersFollowWhatEachPassRecognised) {
    struct Case {
        const char* name;
        JpegExifWriter photo;
        std::string panel1, panel2, panel3;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"first pass only", inMain({asciiEntry(kMake, "A"), shortEntry(0x0112, 1), shortEntry(kColorSpace, 1)}),
         " 2 von ", " 3 Tags (davon ", ""},
        {"nothing recognised",      inMain({shortEntry(kColorSpace, 1)}), " 0 von ", " 1 Tags (davon ", ""},
        {"an empty first directory", JpegExifWriter(),                    "0 von ",  " 0 Tags (davon ", ""},
        {"an empty sub-directory", inMain({asciiEntry(kMake, "A")}).withSubDirectory(), " 2 von ", " 2 Tags (davon ", ""},
        {"focal length", inSub({rationalEntry(0x920A, 63, 10)}), " 2 von ", " 2 Tags (davon ", " 1 Sub Tags) erkannt"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        load(c.photo);
        EXPECT_EQ(panel(1), c.panel1);
        EXPECT_EQ(panel(2), c.panel2);
        EXPECT_EQ(panel(3), c.panel3);
    }
}

// A sub-directory whose link is not zero is read on past its end: the walk takes 130 entries, reads
// the 131st to test its tag, and decodes only the ones it took.
TEST_F(ExifParserTest, ANonZeroLinkIsReadOnToTheLimit) {
    JpegExifWriter writer;
    writer.sub(asciiEntry(kDateOriginal, "2003:08:14 09:30:12"))
        .subLink(0x01010101)
        .afterSubDirectory(std::string(200 * 12, '\x01'));
    // Entry k of the sub-directory starts 2 + 12 k bytes into it; the TIFF structure starts at 12.
    auto entryAt = [&](int k) {
        return 12 + writer.subDirectoryOffset() + 2 + 12 * static_cast<std::size_t>(k);
    };
    std::string exposure = std::string("\x9A\x82\x03\x00\x01\x00\x00\x00\x05\x00\x00\x00", 12);
    std::string fNumber = std::string("\x9D\x82\x03\x00\x01\x00\x00\x00\x1C\x00\x00\x00", 12);
    writer.patch(entryAt(129), exposure); // the 130th: taken
    writer.patch(entryAt(130), fNumber);  // the 131st: read, not taken
    load(writer);
    EXPECT_EQ(text("DateOriginalTxt"), "2003:08:14 09:30:12");
    EXPECT_EQ(text("ExposureTimeTxt"), "1 / 50");
    EXPECT_EQ(text("FNrTxt"), "");
    EXPECT_EQ(panel(2), " 131 Tags (davon "); // the pointer and 130 sub-directory entries
    EXPECT_EQ(panel(3), " 2 Sub Tags) erkannt");
    EXPECT_EQ(panel(1), " 3 von ");
}

TEST_F(ExifParserTest, AMotorolaPhotoShowsNoFieldAndSaysWhy) {
    JpegExifWriter writer;
    writer.motorola().main(asciiEntry(kMake, "Brightline")).sub(shortEntry(kFlash, 1));
    load(writer);
    EXPECT_EQ(text("Hersteller"), "");
    EXPECT_EQ(panel(2), " 0 Tags (davon ");
    EXPECT_EQ(panel(4), "Motorola-Format wird leider noch nicht unterst\xFCtzt");
}

TEST_F(ExifParserTest, StopDuringAYieldEndsTheWalkAndKeepsWhatWasFilled) {
    JpegExifWriter writer;
    writer.main(asciiEntry(kMake, "Lumo"))
        .main(asciiEntry(kModel, "EOS"))
        .main(asciiEntry(kSoftware, "1.0"))
        .main(asciiEntry(kDateTime, "2003:08:14 09:30:12"))
        .sub(shortEntry(kFlash, 1));
    std::string seenAtYield; // what the window shows while the walk yields
    platform.atYield(2, [&] {
        seenAtYield = panel(1);
        control.surface().userClick("StopBtn");
    });
    load(writer);
    EXPECT_EQ(seenAtYield, " 2 von ");
    EXPECT_EQ(text("Hersteller"), "Lumo");
    EXPECT_EQ(text("Modell"), "EOS");
    EXPECT_EQ(text("SoftWareVersion"), "");
    EXPECT_EQ(panel(1), " 2 von ");

    // The next load starts afresh: the stop was for the one that was running.
    load(inMain({asciiEntry(kMake, "Lumo")}));
    EXPECT_EQ(panel(1), " 1 von ");
}

// The photo is opened once for the whole load: a file put in its place while the first pass yields
// does not reach the second pass.
TEST_F(ExifParserTest, BothPassesReadTheFileThatWasOpened) {
    std::string path =
        dir.write("photo.jpg", photoWith({asciiEntry(kMake, "Leo")}, {shortEntry(kFlash, 7)}).bytes());
    std::string other =
        dir.write("other.jpg", photoWith({asciiEntry(kMake, "Eve")}, {shortEntry(kFlash, 1)}).bytes());
    platform.atYield(1, [&] { std::filesystem::rename(other, path); });
    Variant pfad(path);
    control.LoadPictures(pfad);
    EXPECT_EQ(text("Hersteller"), "Leo");
    EXPECT_EQ(text("FlashValue"), "7");
}

TEST_F(ExifParserTest, TheEntryTableEndsAt4096Entries) {
    JpegExifWriter writer;
    for (int k = 1; k < 4096; ++k)
        writer.main(shortEntry(kColorSpace, 1));
    writer.main(asciiEntry(kMake, "Lumo")); // position 4096: stored and walked
    writer.main(asciiEntry(kModel, "EOS")); // position 4097: beyond the table
    writer.sub(shortEntry(kFlash, 1));      // its pointer stands beyond the table, too
    load(writer);
    EXPECT_EQ(text("Hersteller"), "Lumo");
    EXPECT_EQ(text("Modell"), "");
    EXPECT_EQ(text("FlashValue"), "");
    EXPECT_EQ(panel(1), " 1 von ");
    EXPECT_EQ(panel(2), " 4096 Tags (davon ");

    // The sub-directory fills the table up to its last entry, too: 3999 entries and the pointer first.
    JpegExifWriter full;
    for (int k = 1; k < 4000; ++k)
        full.main(shortEntry(kColorSpace, 1));
    for (int k = 0; k < 95; ++k)
        full.sub(shortEntry(kColorSpace, 1));
    full.sub(shortEntry(kFlash, 1)).sub(asciiEntry(kDateOriginal, "2003:08:14 09:30:12")); // 4096, 4097
    load(full);
    EXPECT_EQ(text("FlashValue"), "1");
    EXPECT_EQ(text("DateOriginalTxt"), "");
}

} // namespace
} // namespace pelmark
