#pragma once

// Shows the control in a window of its own and runs until the window closes. `pelmark FOLDER` opens
// that folder in it. Answers the program's exit code.
int runWindowHost(int argc, char** argv);
