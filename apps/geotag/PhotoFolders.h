#pragma once

#include <string>
#include <vector>

namespace pelmark::geotag {

struct PhotoFile {
    std::string path;
    std::string name;
};

// The photos of `folders` in the order given, each folder's in name order and, with `recursive`, then
// those of the folders inside it, in name order too. Hidden entries and links to folders are passed over
// (a link may lead back up). Throws PelmarkError (FileNotFound) for a folder that cannot be listed.
std::vector<PhotoFile> photosIn(const std::vector<std::string>& folders, bool recursive);

} // namespace pelmark::geotag
