#pragma once

#include "surface/Surface.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pelmark::console {

// One line of the console's command list.
struct CommandSummary {
    std::string_view name;   // ":set"
    std::string_view syntax; // ":set NAME VALUE"
    std::string_view meaning;
};

// `pelmark console --help`: the options and the grammar of a line.
std::string consoleUsage();

// `:help`: every member with its parameters, then every command.
std::string overviewHelp(std::span<const CommandSummary> commands);

// `:help NAME`: a member (with the tag kinds for `TagExif`), a command, an element, or "elements" for
// the list of element names. Nothing when the name is none of these.
std::optional<std::string> topicHelp(std::span<const CommandSummary> commands, const Surface& surface,
                                     const std::string& name);

} // namespace pelmark::console
