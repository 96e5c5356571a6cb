#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace {

// The core builds without Qt by construction, and the records without the surface or the platform;
// this keeps it that way.
TEST(CoreIsStandardOnly, NoFileUnderSrcIncludesAQtHeader) {
    // Qt, and the libraries of the format readers beside the core (formats/).
    const std::regex qtInclude(R"(^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/|expat|libxml|date/))");
    const std::regex notARecord(R"(^\s*#\s*include\s*"(?!records/|base/))");
    std::filesystem::path src = std::filesystem::path(PELMARK_SOURCE_DIR) / "src";
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
        const bool record = entry.path().parent_path().filename() == "records";
        if (!entry.is_regular_file()) continue;
        ++files;
        std::ifstream in(entry.path());
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            EXPECT_FALSE(std::regex_search(line, qtInclude)) << entry.path() << ":" << number << ": " << line;
            EXPECT_FALSE(record && std::regex_search(line, notARecord)) << entry.path() << ":" << number;
        }
    }
    EXPECT_GT(files, 10);
}

} // namespace
