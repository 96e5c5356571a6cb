#pragma once

#include <functional>

class QMainWindow;

namespace pelmark::host {

// What the menu bar's entries do; an entry without an action is left out.
struct MenuActions {
    std::function<void()> openFolder;   // Ctrl+O
    std::function<void()> openTrack;    // Ctrl+T
    std::function<void()> run;          // Ctrl+R
    std::function<void()> searchTracks; // the control's track-file search
    std::function<void()> clockPhoto;   // the offset from a photo of the GPS clock
    std::function<void()> chooseGarTrip;
    std::function<void()> help; // F1
    std::function<void()> about;
    std::function<void()> quit; // Ctrl+Q
};

// The window's menu bar, in the control's language, with the shortcuts desktop programs use.
void buildMenu(QMainWindow& window, const MenuActions& actions);

} // namespace pelmark::host
