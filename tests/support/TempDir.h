#pragma once

#include <filesystem>
#include <string>

namespace pelmark::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path of `name` inside the folder, as text; a trailing "/" keeps a folder path a folder path.
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string folder() const { return path_.string() + "/"; }

    // Writes `bytes` to `name` (folders on the way are made) and answers its path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// The bytes of the file at `path`; nothing when it cannot be read.
std::string contentOf(const std::filesystem::path& path);

} // namespace pelmark::test
