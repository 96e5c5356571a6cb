#include "PhotoRig.h"
#include "base/Error.h"
#include "fixtures/JpegExifWriter.h"
#include "fixtures/SparsePhoto.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmark {
namespace {

const std::filesystem::path kMalformed = std::filesystem::path(PELMARK_SOURCE_DIR) / "tests/data/malformed";

// Every kept hostile photo, and the files that are no photo at all, each with what a load by path must
// do: fail with its error, or load and show what its first directory holds. Either way the fields of the
// photo before are gone and the file slot ends up closed; through the dialog the same file ends silently.
TEST(HostilePhotos, LoadOrFailCleanly) {
    struct Case {
        const char* name;
        std::optional<ErrorKind> error;
        std::string make, panel1; // panel 1: the count of recognised entries
    };
    const Case cases[] = {
        {"photo-empty.jpg", std::nullopt, "", ""},
        {"three-bytes.jpg", std::nullopt, "", ""}, // too short for the header, and not its start either
        {"first-byte-of-the-header.jpg", ErrorKind::FileRead, "", ""},
        {"photo-header-only.jpg", ErrorKind::FileRead, "", ""},
        {"photo-65535-entries.jpg", ErrorKind::FileRead, "", ""},
        {"photo-cut-in-directory.jpg", ErrorKind::FileRead, "", ""},
        {"photo-values-beyond-end.jpg", std::nullopt, "Leo", " 3 von "},
        {"photo-pointer-to-itself.jpg", std::nullopt, "Leo", " 2 von "},
        {"photo-pointer-beyond-end.jpg", std::nullopt, "Leo", " 2 von "},
        {"photo-sub-directory-runs-off-the-end.jpg", std::nullopt, "Leo", " 2 von "},
        {"photo-unknown-byte-order-mark.jpg", std::nullopt, "Leo", " 1 von "},
        {"photo-empty-values.jpg", std::nullopt, "", " 3 von "},
        {"directory-ends-with-the-file.jpg", std::nullopt, "Leo", " 1 von "},
        {"sparse-2-GiB-4096-entries-of-2e9-bytes.jpg", std::nullopt, "Leo", " 4096 von "},
        {"missing.jpg", ErrorKind::FileNotFound, "", ""},
        {"album.jpg", ErrorKind::FileRead, "", ""}, // a folder named like a photo
        // Named like photos, none a regular file: none may keep the load waiting or read for ever.
        {"fifo.jpg", ErrorKind::FileNotFound, "", ""},
        {"zero.jpg", ErrorKind::FileNotFound, "", ""}, // a link to /dev/zero
        {"loop.jpg", ErrorKind::FileNotFound, "", ""}, // a link to itself
    };
    test::TempDir dir;
    std::filesystem::create_directory(dir.path() / "album.jpg");
    ASSERT_EQ(::mkfifo(dir.file("fifo.jpg").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir.path() / "zero.jpg");
    std::filesystem::create_symlink(dir.path() / "loop.jpg", dir.path() / "loop.jpg");
    // A regression that waits on the FIFO fails here instead of hanging the run.
    ::alarm(60);
    dir.write("three-bytes.jpg", "abc");
    dir.write("first-byte-of-the-header.jpg", "\xFF");
    dir.write("directory-ends-with-the-file.jpg",
              fixtures::JpegExifWriter().main(fixtures::asciiEntry(0x010F, "Leo")).bytes().substr(0, 34));
    ASSERT_TRUE(fixtures::writeSparsePhoto(dir.file("sparse-2-GiB-4096-entries-of-2e9-bytes.jpg"), 4096,
                                           2'000'000'000, 2ULL << 30));
    std::string before = dir.write("before.jpg", fixtures::JpegExifWriter()
                                                     .main(fixtures::asciiEntry(0x010F, "before"))
                                                     .sub(fixtures::shortEntry(0x9209, 7))
                                                     .bytes());
    std::set<std::string> covered;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        covered.insert(c.name);
        std::filesystem::path path = kMalformed / c.name;
        if (!std::filesystem::exists(path)) path = dir.path() / c.name;
        test::PhotoRig rig;
        rig.loader.loadPictures(Variant(before));
        ASSERT_EQ(rig.surface.value("Flash"), 1);
        EXPECT_EQ(test::failureOf([&] { rig.loader.loadPictures(Variant(path.string())); }), c.error);
        EXPECT_EQ(rig.surface.text("Hersteller"), c.make);
        EXPECT_EQ(rig.surface.get("StatusBar1").panels[0].text, c.panel1);
        EXPECT_EQ(rig.surface.value("Flash"), 0);
        EXPECT_FALSE(rig.file.isOpen());

        rig.platform.queueFile(path.string());
        EXPECT_NO_THROW(rig.loader.loadPictures(Variant::missing()));
        EXPECT_TRUE(rig.platform.takeMessages().empty());
        EXPECT_FALSE(rig.file.isOpen());
    }
    ::alarm(0);
    // A hostile photo added to the folder must have its outcome stated above.
    for (const auto& entry : std::filesystem::directory_iterator(kMalformed)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(!name.starts_with("photo-") || covered.contains(name)) << name;
    }
}

} // namespace
} // namespace pelmark
