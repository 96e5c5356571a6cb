#pragma once

#include "base/Variant.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace pelmark::console {

using Json = nlohmann::ordered_json;

// One JSON value of a console line, with its strings as byte strings: "\u00ff\u0000" is the two bytes
// FF 00. Throws PelmarkError (InvalidArgument) for bad JSON or a character above U+00FF.
Json parseByteJson(std::string_view text);

// The console's answer form: ": " after a key, ", " between items, whole numbers without a fraction,
// bytes 0x80..0xFF as the characters U+0080..U+00FF in UTF-8, control characters escaped.
std::string writeByteJson(const Json& value);

// Between the control's values and JSON: empty is null, a missing argument is null too.
Json jsonOf(const Variant& value);
// Throws PelmarkError (InvalidArgument) for arrays and objects.
Variant variantOf(const Json& value);

} // namespace pelmark::console
