#pragma once

#include "base/FileSlot.h"
#include "base/Jobs.h"
#include "base/StopRequest.h"
#include "platform/CommonDialog.h"
#include "platform/Platform.h"
#include "surface/Surface.h"

namespace pelmark {

// What every subsystem of one control shares: the platform, the surface's elements, the stop request,
// the single file slot and the shared file dialog. Owned by the control; subsystems hold a reference.
struct Context {
    Platform& platform;
    Surface& surface;
    StopRequest& stop;
    FileSlot& file;
    CommonDialog& dialog;
    Jobs& jobs;

    // Lets pending events run once. Every yield of the control goes through here, so that a job can
    // tell a handler that runs meanwhile from its own next step.
    void yield() {
        Jobs::Yield yielding(jobs);
        platform.yieldToEvents();
    }
    // Yields, then tells whether the user asked to stop.
    bool yieldAndTestStop() {
        yield();
        return stop.requested();
    }
};

} // namespace pelmark
