#pragma once

#include "platform/Platform.h"

#include <string>

namespace pelmark {

// The one file dialog that the photo loader, the folder scan and the track reader share. Its file name
// outlives each use: the loader reads the current photo's name from it even when no dialog was shown.
class CommonDialog {
public:
    explicit CommonDialog(Platform& platform) : platform_(platform) {}

    std::string fileName;
    std::string filter;

    // Shows the open dialog on the current filter and name; false when cancelled (the name then stays).
    bool showOpen() {
        auto chosen = platform_.openFileDialog(filter, fileName);
        if (!chosen) return false;
        fileName = *chosen;
        return true;
    }

private:
    Platform& platform_;
};

} // namespace pelmark
