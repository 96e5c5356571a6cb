#pragma once

#include "surface/Context.h"

namespace pelmark {

// Puts a new control into its start state.
void startUp(Context& context);

} // namespace pelmark
