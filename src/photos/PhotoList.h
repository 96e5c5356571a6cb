#pragma once

#include <array>
#include <string>

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
    std::array<std::string, kCapacity + 1> names_;
    std::array<std::string, kCapacity + 1> paths_;
    int count_ = 0;
};

} // namespace pelmark
