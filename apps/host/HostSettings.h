#pragma once

#include <string>

namespace pelmark {
class Platform;
}

namespace pelmark::host {

// What the window keeps between sessions, in the control's own settings store (group "Window"
// beside the GARtrip path's "Options"): its place and size, how its panels are divided, and the
// folder and track last opened, which the next start opens again.
struct HostSettings {
    std::string geometry; // Qt's saved geometry, base64
    std::string panels;   // the splitter's state, base64
    std::string lastFolder;
    std::string lastTrack;

    static HostSettings load(Platform& platform);
    void save(Platform& platform) const;
};

} // namespace pelmark::host
