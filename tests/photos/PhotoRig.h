#pragma once

#include "base/FileSlot.h"
#include "base/StopRequest.h"
#include "control/Layout.h"
#include "exif/ExifParser.h"
#include "photos/PhotoLoader.h"
#include "platform/CommonDialog.h"
#include "platform/ScriptedPlatform.h"
#include "surface/Context.h"
#include "surface/Inventory.h"
#include "surface/Surface.h"

namespace pelmark::test {

// The loader on a started surface, without the rest of the control, so a test can look into the file
// slot: a load must leave it closed whatever the file held.
struct PhotoRig {
    PhotoRig() {
        buildInventory(surface);
        startUp(context);
        loader.wire();
    }

    ScriptedPlatform platform;
    StopRequest stop;
    FileSlot file;
    Surface surface{stop};
    CommonDialog dialog{platform};
    Context context{platform, surface, stop, file, dialog};
    ExifParser parser{context};
    PhotoLoader loader{context, parser};
};

} // namespace pelmark::test
