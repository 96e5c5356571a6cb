#include "console/Help.h"

#include "console/ElementAddress.h"
#include "control/Members.h"

#include <algorithm>
#include <array>

namespace pelmark::console {

namespace {

// `TagExif`'s kinds, by number.
constexpr std::array<std::string_view, 14> kTagKinds = {
    "DatumOriginal", "DatumDigitized",   "DatumModified", "ExposureTime", "FNumber",
    "GPSLatitude",   "GPSLongitude",     "GPSAltitude",   "Maker",        "Camera",
    "Comment",       "ImageDescription", "Maker_Note",    "CamFirmware"};

constexpr std::array<std::string_view, 16> kKindNames = {
    "control area",  "frame",     "label",       "text field", "push button", "check box",
    "option button", "combo box", "picture box", "tab strip",  "toolbar",     "status bar",
    "spin control",  "timer",     "file dialog", "image list"};

bool isProperty(const Member& m) {
    return m.kind == MemberKind::PropertyGet || m.kind == MemberKind::PropertyLet ||
           m.kind == MemberKind::PropertySet;
}

// "Wert Binar [IIMM]" for a method, "Anzahl [VALUE]" for a variant property.
std::string memberLine(const Member& m) {
    std::string line(m.name);
    if (isProperty(m)) return line + " [VALUE]";
    for (const Parameter& p : m.parameters()) {
        line += ' ';
        line += p.optional ? "[" + std::string(p.name) + "]" : std::string(p.name);
    }
    return line;
}

std::string memberTopic(const Member& m) {
    std::string text = memberLine(m);
    if (isProperty(m)) return text + ": a variant property; alone it reads, with a value it writes";
    text += m.kind == MemberKind::ReadOnlyProperty ? ": a read-only property" : ": a method";
    text += m.result == ResultType::None ? " without a result" : " with a result";
    if (m.name == "TagExif") {
        text += "; the kinds:";
        for (std::size_t i = 0; i < kTagKinds.size(); ++i)
            text += "\n  " + std::to_string(i) + " " + std::string(kTagKinds[i]);
    }
    return text;
}

std::string elementTopic(const Surface& surface, const ElementAddress& address) {
    const Element& e = surface.get(address.element);
    if (address.kind == ElementAddress::Kind::Panel)
        return "panel " + std::to_string(address.panel) + " of the status bar " + e.name +
               ": value (its text), tag";
    if (address.kind == ElementAddress::Kind::Button)
        return "button " + address.key + " of the toolbar " + e.name + ": click it; pressed";
    std::string text = e.name + ": " + std::string(kKindNames[static_cast<std::size_t>(e.kind)]);
    if (e.container) text += " in " + std::string(elementName(*e.container));
    if (e.page >= 0) text += ", page " + std::to_string(e.page + 1);
    return text;
}

} // namespace

std::string consoleUsage() {
    return R"(usage: pelmark console [--widgets] [--decimal-separator C] [--launch record|real] [--settings DIR]
       pelmark console --help

Reads lines from standard input and answers each with one line of JSON.
  --widgets                drive a real widget surface instead of the headless one
  --decimal-separator C    the user's decimal separator (default: the locale's)
  --launch record|real     record the programs the control starts (default), or start them
  --settings DIR           keep the settings store in DIR (default: the user's own)

A line is one of:
  # comment                (skipped, as are empty lines)
  Member ARG ...           a call of a public member; an argument is JSON or the word missing
  :command WORD ...        a user's action or a platform answer; :help lists them all
Strings are JSON with characters U+0000..U+00FF, one byte each. The exit code is 2 when a line
could not be understood, 0 otherwise.
)";
}

std::string overviewHelp(std::span<const CommandSummary> commands) {
    std::string text = "members:";
    std::string_view last;
    for (const Member& m : members()) {
        if (m.name == last) continue; // a property's three slots are one member
        last = m.name;
        text += "\n  " + memberLine(m);
    }
    text += "\ncommands:";
    for (const CommandSummary& c : commands)
        text += "\n  " + std::string(c.syntax) + "  " + std::string(c.meaning);
    text += "\n:help NAME describes a member, command or element; :help elements lists the elements";
    return text;
}

std::optional<std::string> topicHelp(std::span<const CommandSummary> commands, const Surface& surface,
                                     const std::string& name) {
    for (const Member& m : members())
        if (m.name == name) return memberTopic(m);
    for (const CommandSummary& c : commands)
        if (c.name == name) return std::string(c.syntax) + ": " + std::string(c.meaning);
    if (name == "elements") {
        std::string text = "elements:";
        for (const std::string& element : surface.names())
            text += "\n  " + element;
        return text;
    }
    if (auto address = resolveAddress(surface, name)) return elementTopic(surface, *address);
    return std::nullopt;
}

} // namespace pelmark::console
