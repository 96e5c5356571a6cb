#include "PhotoRig.h"
#include "base/Error.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <set>

namespace pelmark {
namespace {

const std::filesystem::path kMalformed = std::filesystem::path(PELMARK_SOURCE_DIR) / "tests/data/malformed";

// The kept hostile photos, each with what a load by path must do: fail with a read error, or load and
// show the make that stands in its first directory. Either way the file slot ends up closed.
TEST(MalformedPhotos, LoadOrFailCleanly) {
    struct Case {
        const char* name;
        std::optional<ErrorKind> error;
        std::string make;
    };
    const Case cases[] = {
        {"photo-empty.jpg", ErrorKind::FileRead, ""},
        {"photo-header-only.jpg", ErrorKind::FileRead, ""},
        {"photo-65535-entries.jpg", ErrorKind::FileRead, ""},
        {"photo-cut-in-directory.jpg", ErrorKind::FileRead, ""},
        {"photo-values-beyond-end.jpg", std::nullopt, "Leo"},
        {"photo-pointer-to-itself.jpg", std::nullopt, "Leo"},
        {"photo-pointer-beyond-end.jpg", std::nullopt, "Leo"},
        {"photo-sub-directory-runs-off-the-end.jpg", std::nullopt, "Leo"},
        {"photo-unknown-byte-order-mark.jpg", std::nullopt, "Leo"},
        {"photo-empty-values.jpg", std::nullopt, ""},
    };
    std::set<std::string> covered;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        covered.insert(c.name);
        test::PhotoRig rig;
        rig.surface.setText("Hersteller", "from an earlier photo");
        std::optional<ErrorKind> error;
        try {
            rig.loader.loadPictures(Variant((kMalformed / c.name).string()));
        } catch (const PelmarkError& e) {
            error = e.kind();
        }
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(rig.surface.text("Hersteller"), c.make);
        EXPECT_FALSE(rig.file.isOpen());

        // Through the dialog the same file ends silently.
        rig.platform.queueFile((kMalformed / c.name).string());
        EXPECT_NO_THROW(rig.loader.loadPictures(Variant::missing()));
        EXPECT_FALSE(rig.file.isOpen());
    }
    // A hostile photo added to the folder must have its outcome stated above.
    for (const auto& entry : std::filesystem::directory_iterator(kMalformed)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("photo-")) {
            EXPECT_TRUE(covered.contains(name)) << name;
        }
    }
}

} // namespace
} // namespace pelmark
