#pragma once

#include <string>

// Shows the control in a window of its own and runs until the window closes. `path` (a folder ending
// in "/", or a photo) is opened in it once the window is up; empty: nothing. Answers the exit code.
int runWindowHost(int argc, char** argv, const std::string& path);
