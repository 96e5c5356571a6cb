#pragma once

#include "base/Variant.h"
#include "surface/Context.h"

#include <string_view>

namespace pelmark {

// `PhotoPath`: makes photo `number` current by writing it into `ActPictNum` (the navigation loads it)
// and answers the current photo's full path. A number is written with a point as its separator, so
// that the field reads it back as the same number whatever the user's decimal separator.
Variant photoPath(Context& context, const Variant& number);

// `PhotoName`: `photoPath`, then the file-name part of the answer.
Variant photoName(Context& context, const Variant& number);

// The part of `path` after its last "/": the empty text when the path ends in "/"; empty (no text at
// all) when the path is shorter than two characters or its only "/" is its first character.
Variant fileNamePart(std::string_view path);

} // namespace pelmark
