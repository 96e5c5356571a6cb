#pragma once

#include <string>
#include <vector>

namespace pelmark {

// The photos of the last folder scan: `PhotoFileNames` and `PhotoFilePaths` side by side, positions
// 1 to 500; a photo's number is its position. A new scan overwrites positions 1 to its own count;
// positions beyond keep an earlier scan's texts, as nothing reads past the count.
class PhotoList {
public:
    static constexpr int kCapacity = 500;

    // Empty text for 0, an unfilled or an out-of-range number.
    const std::string& name(int number) const;
    const std::string& path(int number) const;
    int count() const { return count_; }

    // A scan starts over at 0 ...
    void restart() { count_ = 0; }
    // ... and appends; false, and nothing stored, once the list is full.
    bool append(std::string name, std::string path);

private:
    // Grown to the highest position a scan filled (position 0 stays empty); nothing is held for the
    // 500 positions before a folder is opened.
    std::vector<std::string> names_;
    std::vector<std::string> paths_;
    int count_ = 0;
};

} // namespace pelmark
