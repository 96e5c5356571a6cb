#pragma once

#include <exception>
#include <string>

namespace pelmark {

// What the user reads when an action of theirs fails. A host calling a member gets the error as it
// is; a person gets it in the control's language, naming the file and what is wrong with it
// ("/fotos/x.jpg ist keine lesbare Fotodatei", "... ist ein Ordner"); an error it does not know
// reaches the user as it is.
std::string userMessage(const std::exception& failure);

} // namespace pelmark
