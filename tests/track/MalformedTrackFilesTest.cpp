#include "control/VeltoraControl.h"
#include "platform/ScriptedPlatform.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace pelmark {
namespace {

const std::filesystem::path kMalformed = std::filesystem::path(PELMARK_SOURCE_DIR) / "tests/data/malformed";

// The kept hostile track files, each with what a load of it must leave: the point count it completes,
// or none when the load fails.
TEST(MalformedTrackFiles, LoadAsFarAsTheirBytesGo) {
    struct Case {
        const char* name;
        std::optional<int> anzahl;
    };
    const Case cases[] = {
        {"track-title-beyond-end.t", std::nullopt}, {"track-point-cut-midway.t", 0},
        {"track-text-length-65535-at-end.t", 0},    {"track-empty.t", std::nullopt},
        {"track-header-only.t", std::nullopt},
    };
    std::set<std::string> covered;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        covered.insert(c.name);
        ScriptedPlatform platform;
        VeltoraControl control(platform);
        platform.queueFile((kMalformed / c.name).string());
        control.surface().userClick("LoadTrack");
        EXPECT_EQ(control.Anzahl(), c.anzahl ? Variant(*c.anzahl) : Variant());
    }
    // A hostile track file added to the folder must have its outcome stated above.
    for (const auto& entry : std::filesystem::directory_iterator(kMalformed)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("track-")) {
            EXPECT_TRUE(covered.contains(name)) << name;
        }
    }
}

} // namespace
} // namespace pelmark
