#pragma once

#include "base/Variant.h"
#include "platform/Platform.h"

namespace pelmark {

// `OpenGarTrip`: starts the outside program at `garTripPath` on `fileName`, the command line being the
// two texts joined by one blank, neither quoted. Does not wait. Throws PelmarkError (ProcessStart),
// naming the program's path, when the program cannot be started.
void openGarTrip(Platform& platform, const Variant& garTripPath, const Variant& fileName);

} // namespace pelmark
