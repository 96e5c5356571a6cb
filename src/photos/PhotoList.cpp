#include "photos/PhotoList.h"

namespace pelmark {

namespace {

const std::string kNoEntry;

bool inRange(int number) {
    return number >= 1 && number <= PhotoList::kCapacity;
}

} // namespace

const std::string& PhotoList::name(int number) const {
    return inRange(number) ? names_[static_cast<std::size_t>(number)] : kNoEntry;
}

const std::string& PhotoList::path(int number) const {
    return inRange(number) ? paths_[static_cast<std::size_t>(number)] : kNoEntry;
}

bool PhotoList::append(std::string name, std::string path) {
    if (count_ >= kCapacity) return false;
    ++count_;
    names_[static_cast<std::size_t>(count_)] = std::move(name);
    paths_[static_cast<std::size_t>(count_)] = std::move(path);
    return true;
}

} // namespace pelmark
