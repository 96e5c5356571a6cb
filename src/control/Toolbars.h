#pragma once

#include "control/Layout.h"
#include "surface/Context.h"

namespace pelmark {

class PhotoLoader;

// The two toolbars: `Toolbar1` switches between one photo and a folder, `Toolbar2` sets the GARtrip
// path, and the mouse over it shows the GARtrip hint for about a second. `garTripPath` is the control's
// public `GARTripPath`. The elements must exist by the time of the call.
void wireToolbars(Context& context, PhotoLoader& loader, GarTripPath& garTripPath);

// The navigation group is enabled in folder mode and disabled in single-photo mode.
void setFolderMode(Surface& surface, bool folderMode);

} // namespace pelmark
