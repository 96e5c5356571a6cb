#include "console/Console.h"

#include "base/Error.h"
#include "console/ByteJson.h"
#include "console/ElementAddress.h"
#include "console/LineWords.h"
#include "control/Members.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iostream>
#include <limits>

namespace pelmark::console {

namespace {

// A line the console could not understand, as opposed to a member or handler that failed: only these
// decide the exit code.
struct Refused : PelmarkError {
    explicit Refused(const std::string& text) : PelmarkError(ErrorKind::InvalidArgument, text) {}
};

// The one place where a failure to read a line becomes a refusal: whatever `read` throws as a
// PelmarkError (bad JSON, an unterminated word, an unknown name) is a line the console cannot understand.
template <class Read>
auto understood(Read&& read) -> decltype(read()) {
    try {
        return read();
    } catch (const PelmarkError& error) {
        throw Refused(error.what());
    }
}

constexpr std::array<std::string_view, 16> kProperties = {
    "value",  "caption", "text", "enabled", "visible", "left",     "top",     "width",
    "height", "tooltip", "tag",  "max",     "items",   "selected", "picture", "pressed"};

std::string ok() {
    return R"({"ok": true})";
}

std::string errorLine(const std::string& text) {
    Json answer;
    answer["error"] = text;
    return writeByteJson(answer);
}

std::string buttonsName(MessageButtons buttons) {
    return buttons == MessageButtons::YesNo ? "YesNo" : "OK";
}

} // namespace

std::optional<ConsoleOptions> readConsoleOptions(const std::vector<std::string>& arguments) {
    try {
        return parseConsoleOptions(arguments);
    } catch (const PelmarkError& error) {
        std::cerr << "pelmark console: " << error.what() << "\n" << consoleUsage();
        return std::nullopt;
    }
}

ConsoleOptions parseConsoleOptions(const std::vector<std::string>& arguments) {
    ConsoleOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size())
                throw PelmarkError(ErrorKind::InvalidArgument, option + " needs a value");
            return arguments[++i];
        };
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--widgets") {
            options.widgets = true;
        } else if (option == "--decimal-separator") {
            const std::string& separator = value();
            if (separator.size() != 1)
                throw PelmarkError(ErrorKind::InvalidArgument, "the decimal separator is one character");
            options.decimalSeparator = separator[0];
        } else if (option == "--launch") {
            const std::string& launch = value();
            if (launch == "record")
                options.launch = ConsolePlatform::Launch::Record;
            else if (launch == "real")
                options.launch = ConsolePlatform::Launch::Real;
            else
                throw PelmarkError(ErrorKind::InvalidArgument, "--launch takes record or real");
        } else if (option == "--settings") {
            options.settingsFolder = value();
        } else {
            throw PelmarkError(ErrorKind::InvalidArgument, "unknown option: " + option);
        }
    }
    return options;
}

// The words after an action's command. Every word is decoded the same way (a JSON string is its
// bytes, a bare word is itself) and anything that cannot be read is a refusal.
class Console::Words {
public:
    Words(std::string_view line, std::string_view command) : words_(line), command_(command) {
        words_.next(); // the command itself
    }

    std::string_view command() const { return command_; }

    std::optional<std::string> word() {
        return understood([&] { return words_.nextName(); });
    }
    // An element, status-bar panel or toolbar button of `surface`.
    std::string name(const Surface& surface) {
        auto name = word();
        if (!name) throw Refused(std::string(command_) + " needs an element name");
        if (!resolveAddress(surface, *name)) throw Refused("unknown element: " + *name);
        return *name;
    }
    // A JSON number without a fraction that an int holds.
    int wholeNumber() {
        auto word = understood([&] { return words_.next(); });
        if (!word) throw Refused(std::string(command_) + " needs a number");
        Json value = understood([&] { return parseByteJson(*word); });
        if (!value.is_number()) throw Refused(std::string(command_) + " takes whole numbers");
        double number = value.get<double>();
        if (number != std::floor(number) || number < std::numeric_limits<int>::min() ||
            number > std::numeric_limits<int>::max())
            throw Refused(std::string(command_) + " takes whole numbers");
        return static_cast<int>(number);
    }
    // The rest of the line as one JSON value.
    Json value() {
        std::string_view rest = words_.rest();
        if (rest.empty()) throw Refused(std::string(command_) + " needs a value");
        return understood([&] { return parseByteJson(rest); });
    }
    // The rest of the line as written, or a JSON string where it needs escapes.
    std::string text() {
        std::string_view rest = words_.rest();
        if (rest.empty() || rest.front() != '"') return std::string(rest);
        Json value = understood([&] { return parseByteJson(rest); });
        if (!value.is_string()) throw Refused(std::string(command_) + " takes a text");
        return value.get<std::string>();
    }
    void end() {
        if (!words_.atEnd()) throw Refused("too many words after " + std::string(command_));
    }

private:
    LineWords words_;
    std::string_view command_;
};

const std::vector<Console::Command>& Console::commands() {
    static const std::vector<Command> table = {
        {{":set", ":set NAME VALUE", "the user changes element NAME"}, &Console::set},
        {{":get", ":get NAME [PROP]", "reads a property of element NAME (default: value)"}, &Console::get},
        {{":click", ":click NAME", "the user clicks NAME (a toolbar button is Toolbar/Key)"},
         &Console::click},
        {{":mousemove", ":mousemove NAME", "the mouse moves over NAME"}, &Console::mouseMove},
        {{":timer", ":timer NAME", "the timer NAME fires once"}, &Console::timer},
        {{":drop", ":drop [PATH ...]", "files dropped onto Bild; alone: data without a file list"},
         &Console::drop},
        {{":resize", ":resize W H", "the host sets the control's size in twips"}, &Console::resize},
        {{":file", ":file PATH", "the answer for the next file dialog"}, &Console::file},
        {{":file-cancel", ":file-cancel", "the next file dialog is cancelled"}, &Console::fileCancel},
        {{":answer", ":answer Yes|No", "the answer for the next message box that asks"}, &Console::answerBox},
        {{":input", ":input TEXT", "the answer for the next input box"}, &Console::input},
        {{":input-cancel", ":input-cancel", "the next input box is cancelled"}, &Console::inputCancel},
        {{":stop-at-yield", ":stop-at-yield N", "the user clicks Stop during the N-th yield from now"},
         &Console::stopAtYield},
        {{":messages", ":messages", "the message boxes shown since the last :messages"}, &Console::messages},
        {{":dialogs", ":dialogs", "the file dialogs shown since the last :dialogs"}, &Console::dialogs},
        {{":launched", ":launched", "the command lines started since the last :launched"},
         &Console::launched},
        {{":help", ":help [NAME]", "this list, or one member, command or element described"}, &Console::help},
    };
    return table;
}

Console::Console(const ConsoleOptions& options)
    : platform_(options.launch, options.settingsFolder, options.decimalSeparator) {
    control_ = std::make_unique<VeltoraControl>(platform_);
    if (options.widgets && options.makeWidgets == nullptr)
        throw PelmarkError(ErrorKind::InvalidArgument, "this program has no widgets");
    driver_ = options.widgets ? options.makeWidgets(*control_) : makeHeadlessDriver(*control_);
}

Console::~Console() = default;

std::optional<std::string> Console::answer(const std::string& rawLine) {
    std::string line = rawLine;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    LineWords words(line);
    if (words.atEnd() || line.front() == '#') return std::nullopt;
    try {
        std::string first(*understood([&] { return words.next(); }));
        if (first.front() == ':') return action(first, line);
        return memberCall(first, line);
    } catch (const Refused& refused) {
        allUnderstood_ = false;
        return errorLine(refused.what());
    } catch (const DriverRefusal& refused) {
        allUnderstood_ = false;
        return errorLine(refused.what());
    } catch (const std::exception& failure) {
        return errorLine(failure.what());
    }
}

std::string Console::memberCall(const std::string& name, const std::string& line) {
    LineWords words(line);
    words.next();
    std::vector<Variant> args;
    understood([&] {
        while (auto word = words.next())
            args.push_back(*word == "missing" ? Variant::missing() : variantOf(parseByteJson(*word)));
        checkCall(name, args);
    });
    std::size_t given = args.size();
    Variant result = invoke(*control_, name, args);
    // {"result": R, "args": [A1, ...]}, written as the JSON writer writes an object, piece by piece.
    std::string answer = R"({"result": )" + writeByteJson(jsonOf(result)) + R"(, "args": [)";
    for (std::size_t i = 0; i < given; ++i) {
        if (i > 0) answer += ", ";
        answer += writeByteJson(jsonOf(args[i]));
    }
    return answer + "]}";
}

std::string Console::action(const std::string& command, const std::string& line) {
    for (const Command& c : commands()) {
        if (c.summary.name != command) continue;
        Words words(line, c.summary.name);
        return (this->*c.run)(words);
    }
    throw Refused("unknown command: " + command);
}

std::string Console::set(Words& words) {
    std::string target = words.name(control_->surface());
    Json value = words.value();
    driver_->set(target, value);
    return ok();
}

std::string Console::get(Words& words) {
    std::string target = words.name(control_->surface());
    std::string property = words.word().value_or("value");
    words.end();
    if (std::find(kProperties.begin(), kProperties.end(), property) == kProperties.end())
        throw Refused("unknown property: " + property);
    Json answer;
    answer["value"] = understood([&] { return driver_->get(target, property); });
    return writeByteJson(answer);
}

std::string Console::click(Words& words) {
    std::string target = words.name(control_->surface());
    words.end();
    driver_->click(target);
    return ok();
}

std::string Console::mouseMove(Words& words) {
    std::string target = words.name(control_->surface());
    words.end();
    driver_->mouseMove(target);
    return ok();
}

std::string Console::timer(Words& words) {
    std::string target = words.name(control_->surface());
    words.end();
    driver_->timer(target);
    return ok();
}

std::string Console::drop(Words& words) {
    std::optional<std::vector<std::string>> files;
    while (auto file = words.word()) {
        if (!files) files.emplace();
        files->push_back(*file);
    }
    driver_->drop(std::move(files));
    return ok();
}

std::string Console::resize(Words& words) {
    int width = words.wholeNumber();
    int height = words.wholeNumber();
    words.end();
    driver_->resize(width, height);
    return ok();
}

std::string Console::file(Words& words) {
    std::string path = words.text();
    if (path.empty()) throw Refused(":file needs a path");
    platform_.queueFile(path);
    return ok();
}

std::string Console::fileCancel(Words& words) {
    words.end();
    platform_.queueFileCancel();
    return ok();
}

std::string Console::answerBox(Words& words) {
    auto word = words.word();
    words.end();
    if (word == "Yes")
        platform_.queueAnswer(MessageAnswer::Yes);
    else if (word == "No")
        platform_.queueAnswer(MessageAnswer::No);
    else
        throw Refused(":answer takes Yes or No");
    return ok();
}

std::string Console::input(Words& words) {
    platform_.queueInput(words.text());
    return ok();
}

std::string Console::inputCancel(Words& words) {
    words.end();
    platform_.queueInputCancel();
    return ok();
}

std::string Console::stopAtYield(Words& words) {
    int n = words.wholeNumber();
    words.end();
    if (n < 1) throw Refused(":stop-at-yield counts from 1");
    platform_.atYield(n, [this] {
        // The user's click lands inside whatever is running; a failure of the click is the Stop
        // button's own and must not unwind the operation it interrupts.
        try {
            driver_->click(std::string(elementName(ElementId::StopBtn)));
        } catch (const std::exception&) {
        }
    });
    return ok();
}

std::string Console::messages(Words& words) {
    words.end();
    Json list = Json::array();
    for (const auto& message : platform_.takeMessages())
        list.push_back(
            {{"title", message.title}, {"text", message.text}, {"buttons", buttonsName(message.buttons)}});
    return writeByteJson(Json{{"messages", list}});
}

std::string Console::dialogs(Words& words) {
    words.end();
    Json list = Json::array();
    for (const auto& dialog : platform_.takeDialogs()) {
        Json chosen = dialog.chosen ? Json(*dialog.chosen) : Json(nullptr);
        list.push_back({{"filter", dialog.filter}, {"fileName", dialog.fileName}, {"chosen", chosen}});
    }
    return writeByteJson(Json{{"dialogs", list}});
}

std::string Console::launched(Words& words) {
    words.end();
    Json list = Json::array();
    for (const auto& commandLine : platform_.takeLaunched())
        list.push_back(commandLine);
    return writeByteJson(Json{{"launched", list}});
}

std::string Console::help(Words& words) {
    auto topic = words.word();
    words.end();
    std::vector<CommandSummary> summaries;
    for (const Command& c : commands())
        summaries.push_back(c.summary);
    std::string text;
    if (!topic) {
        text = overviewHelp(summaries);
    } else if (auto described = topicHelp(summaries, control_->surface(), *topic)) {
        text = *described;
    } else {
        throw Refused("no help on " + *topic);
    }
    return writeByteJson(Json{{"help", text}});
}

int Console::run(std::istream& in, std::ostream& out) {
    std::string line;
    while (std::getline(in, line)) {
        if (auto reply = answer(line)) out << *reply << '\n' << std::flush;
    }
    return allUnderstood_ ? 0 : 2;
}

int runConsoleSession(const ConsoleOptions& options) {
    // The standard streams keep buffers of their own instead of going through C's, character by
    // character; nothing here writes to standard output through C's functions, and every answer is
    // flushed as it is written.
    std::ios_base::sync_with_stdio(false);
    try {
        Console console(options);
        return console.run(std::cin, std::cout);
    } catch (const std::exception& error) {
        std::cerr << "pelmark console: " << error.what() << "\n";
        return 2;
    }
}

} // namespace pelmark::console
