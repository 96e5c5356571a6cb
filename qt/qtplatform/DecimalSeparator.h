#pragma once

#include <optional>

namespace pelmark {

// The decimal separator of the user's locale (LC_NUMERIC, as Qt reads it); '.' where the locale's is
// not a single Latin-1 character.
char userDecimalSeparator();

// The same, where the environment names the C locale (or none), whose separator is '.' without asking
// Qt's locale data; nothing for every other locale.
std::optional<char> decimalSeparatorWithoutQt();

} // namespace pelmark
