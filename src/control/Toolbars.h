#pragma once

#include "control/GarTripSetting.h"
#include "surface/Context.h"

namespace pelmark {

class PhotoLoader;

// The two toolbars: `Toolbar1` switches between one photo and a folder, `Toolbar2` sets the GARtrip
// path (`garTripPath` is the control's public `GARTripPath`), and the mouse over it shows the GARtrip
// hint until its timer fires, about a second later.
void toolbar1Clicked(Context& context, PhotoLoader& loader, const std::string& key);
void toolbar2Clicked(Context& context, GarTripPath& garTripPath, const std::string& key);
void showGarTripHint(Surface& surface);
void hideGarTripHint(Surface& surface);

// The navigation group is enabled in folder mode and disabled in single-photo mode.
void setFolderMode(Surface& surface, bool folderMode);

} // namespace pelmark
