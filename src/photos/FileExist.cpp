#include "photos/FileExist.h"

#include "base/FileSlot.h"

#include <filesystem>
#include <system_error>

namespace pelmark {

bool fileExist(const std::string& name) {
    if (name.empty() || !namesFile(name)) return false;
    std::error_code error;
    bool plainFile = std::filesystem::is_regular_file(name, error);
    return plainFile && !error;
}

} // namespace pelmark
