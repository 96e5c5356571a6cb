#pragma once

#include "base/FileSlot.h"
#include "base/StopRequest.h"
#include "control/Layout.h"
#include "platform/CommonDialog.h"
#include "platform/ScriptedPlatform.h"
#include "surface/Context.h"
#include "surface/Inventory.h"
#include "surface/Surface.h"

namespace pelmark::test {

// One control's shared context over the started element inventory, without the rest of the control,
// so a subsystem's test can put its own pieces on top and look into the file slot.
struct ContextRig {
    ContextRig() {
        buildInventory(surface);
        startUp(context);
    }

    ScriptedPlatform platform;
    StopRequest stop;
    FileSlot file;
    Surface surface{stop};
    CommonDialog dialog{platform};
    Jobs jobs;
    Context context{platform, surface, stop, file, dialog, jobs};
};

} // namespace pelmark::test
