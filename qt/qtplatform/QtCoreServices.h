#pragma once

#include "qtplatform/CoreServices.h"

namespace pelmark {

// The services as QtCore gives them; what `coreServices()` answers in a program linked with QtCore,
// and what the module hands `pelmark`.
const CoreServices& qtCoreServices();

} // namespace pelmark
