#include "records/PhotoList.h"

namespace pelmark {

namespace {

const std::string kNoEntry;

const std::string& entry(const std::vector<std::string>& entries, int number) {
    return number >= 1 && static_cast<std::size_t>(number) < entries.size()
               ? entries[static_cast<std::size_t>(number)]
               : kNoEntry;
}

} // namespace

const std::string& PhotoList::name(int number) const {
    return entry(names_, number);
}

const std::string& PhotoList::path(int number) const {
    return entry(paths_, number);
}

bool PhotoList::append(std::string name, std::string path) {
    if (count_ >= kCapacity) return false;
    ++count_;
    const auto position = static_cast<std::size_t>(count_);
    if (names_.size() <= position) {
        // Reserved whole at the first photo, so that a text handed out stays where it is.
        names_.reserve(kCapacity + 1);
        paths_.reserve(kCapacity + 1);
        names_.resize(position + 1);
        paths_.resize(position + 1);
    }
    names_[position] = std::move(name);
    paths_[position] = std::move(path);
    return true;
}

} // namespace pelmark
