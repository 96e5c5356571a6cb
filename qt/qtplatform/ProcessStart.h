#pragma once

#include <string>
#include <vector>

namespace pelmark {

// The words of a command line as the system splits one: at blanks, runs of blanks counting as one, with
// no quoting (a path holding a blank comes apart, as it does for the control's own command lines).
std::vector<std::string> splitCommandLine(const std::string& commandLine);

// Starts the program of a command line without waiting for it. Throws PelmarkError (ProcessStart) when
// the line is empty or the program cannot be started.
void startCommandLine(const std::string& commandLine);

} // namespace pelmark
