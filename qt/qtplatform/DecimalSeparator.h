#pragma once

namespace pelmark {

// The decimal separator of the user's locale (LC_NUMERIC, as Qt reads it); '.' where the locale's is
// not a single Latin-1 character.
char userDecimalSeparator();

} // namespace pelmark
