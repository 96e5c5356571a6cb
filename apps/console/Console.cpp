#include "console/Console.h"

#include "base/Error.h"
#include "console/ByteJson.h"
#include "console/ElementAddress.h"
#include "console/LineWords.h"
#include "control/Members.h"
#include "platform/DecimalSeparator.h"

#include <array>
#include <cmath>
#include <iostream>
#include <limits>

namespace pelmark::console {

// A line the console could not understand, as opposed to a member or handler that failed: only these
// decide the exit code.
struct Console::Refused : PelmarkError {
    explicit Refused(const std::string& text) : PelmarkError(ErrorKind::InvalidArgument, text) {}
};

namespace {

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

ConsoleOptions parseConsoleOptions(const std::vector<std::string>& arguments) {
    ConsoleOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size())
                throw PelmarkError(ErrorKind::InvalidArgument, option + " needs a value");
            return arguments[++i];
        };
        if (option == "--widgets") {
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

Console::Console(const ConsoleOptions& options) : platform_(options.launch, options.settingsFolder) {
    // The separator is part of the platform the control starts on.
    platform_.setDecimalSeparator(options.decimalSeparator.value_or(userDecimalSeparator()));
    control_ = std::make_unique<VeltoraControl>(platform_);
    driver_ = options.widgets ? makeWidgetDriver(*control_) : makeHeadlessDriver(*control_);
}

Console::~Console() = default;

std::optional<std::string> Console::answer(const std::string& rawLine) {
    std::string line = rawLine;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    LineWords words(line);
    if (words.atEnd() || line.front() == '#') return std::nullopt;
    try {
        std::string first(*words.next());
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
    try {
        while (auto word = words.next())
            args.push_back(*word == "missing" ? Variant::missing() : variantOf(parseByteJson(*word)));
        checkCall(name, args);
    } catch (const PelmarkError& error) {
        throw Refused(error.what());
    }
    std::size_t given = args.size();
    Variant result = invoke(*control_, name, args);
    Json answer;
    answer["result"] = jsonOf(result);
    answer["args"] = Json::array();
    for (std::size_t i = 0; i < given; ++i)
        answer["args"].push_back(jsonOf(args[i]));
    return writeByteJson(answer);
}

std::string Console::action(const std::string& command, const std::string& line) {
    LineWords words(line);
    words.next();
    Surface& surface = control_->surface();

    auto name = [&]() {
        std::optional<std::string> word;
        try {
            word = words.nextName();
        } catch (const PelmarkError& error) {
            throw Refused(error.what());
        }
        if (!word) throw Refused(command + " needs an element name");
        if (!resolveAddress(surface, *word)) throw Refused("unknown element: " + *word);
        return *word;
    };
    auto end = [&]() {
        if (!words.atEnd()) throw Refused("too many words after " + command);
    };
    auto text = [&]() {
        // A text is the rest of the line as written, or a JSON string where it needs escapes.
        std::string_view rest = words.rest();
        if (!rest.empty() && rest.front() == '"') {
            try {
                Json value = parseByteJson(rest);
                if (value.is_string()) return value.get<std::string>();
            } catch (const PelmarkError& error) {
                throw Refused(error.what());
            }
            throw Refused(command + " takes a text");
        }
        return std::string(rest);
    };
    auto wholeNumber = [&]() {
        auto word = words.next();
        if (!word) throw Refused(command + " needs a number");
        Json value;
        try {
            value = parseByteJson(*word);
        } catch (const PelmarkError& error) {
            throw Refused(error.what());
        }
        double number = value.is_number() ? value.get<double>() : 0.5;
        if (number != std::floor(number) || std::abs(number) > std::numeric_limits<int>::max())
            throw Refused(command + " takes whole numbers");
        return static_cast<int>(number);
    };

    if (command == ":set") {
        std::string target = name();
        std::string_view rest = words.rest();
        if (rest.empty()) throw Refused(":set needs a value");
        Json value;
        try {
            value = parseByteJson(rest);
        } catch (const PelmarkError& error) {
            throw Refused(error.what());
        }
        driver_->set(target, value);
        return ok();
    }
    if (command == ":get") {
        std::string target = name();
        std::string property = "value";
        if (auto word = words.next()) property = std::string(*word);
        end();
        if (std::find(kProperties.begin(), kProperties.end(), property) == kProperties.end())
            throw Refused("unknown property: " + property);
        Json answer;
        try {
            answer["value"] = driver_->get(target, property);
        } catch (const PelmarkError& error) {
            throw Refused(error.what());
        }
        return writeByteJson(answer);
    }
    if (command == ":click" || command == ":mousemove" || command == ":timer") {
        std::string target = name();
        end();
        if (command == ":click")
            driver_->click(target);
        else if (command == ":mousemove")
            driver_->mouseMove(target);
        else
            driver_->timer(target);
        return ok();
    }
    if (command == ":drop") {
        if (words.atEnd()) {
            driver_->drop(std::nullopt);
            return ok();
        }
        std::vector<std::string> files;
        try {
            while (auto file = words.nextName())
                files.push_back(*file);
        } catch (const PelmarkError& error) {
            throw Refused(error.what());
        }
        driver_->drop(std::move(files));
        return ok();
    }
    if (command == ":resize") {
        int width = wholeNumber();
        int height = wholeNumber();
        end();
        driver_->resize(width, height);
        return ok();
    }
    if (command == ":file") {
        std::string path = text();
        if (path.empty()) throw Refused(":file needs a path");
        platform_.queueFile(path);
        return ok();
    }
    if (command == ":input") {
        platform_.queueInput(text());
        return ok();
    }
    if (command == ":answer") {
        auto word = words.next();
        end();
        if (word == "Yes")
            platform_.queueAnswer(MessageAnswer::Yes);
        else if (word == "No")
            platform_.queueAnswer(MessageAnswer::No);
        else
            throw Refused(":answer takes Yes or No");
        return ok();
    }
    if (command == ":stop-at-yield") {
        int n = wholeNumber();
        end();
        if (n < 1) throw Refused(":stop-at-yield counts from 1");
        platform_.atYield(n, [this] {
            // The user's click lands inside whatever is running; a failure of the click is the Stop
            // button's own and must not unwind the operation it interrupts.
            try {
                driver_->click("StopBtn");
            } catch (const std::exception&) {
            }
        });
        return ok();
    }

    end();
    if (command == ":file-cancel") {
        platform_.queueFileCancel();
        return ok();
    }
    if (command == ":input-cancel") {
        platform_.queueInputCancel();
        return ok();
    }
    if (command == ":messages") {
        Json list = Json::array();
        for (const auto& message : platform_.takeMessages())
            list.push_back({{"title", message.title},
                            {"text", message.text},
                            {"buttons", buttonsName(message.buttons)}});
        return writeByteJson(Json{{"messages", list}});
    }
    if (command == ":dialogs") {
        Json list = Json::array();
        for (const auto& dialog : platform_.takeDialogs()) {
            Json chosen = dialog.chosen ? Json(*dialog.chosen) : Json(nullptr);
            list.push_back({{"filter", dialog.filter}, {"fileName", dialog.fileName}, {"chosen", chosen}});
        }
        return writeByteJson(Json{{"dialogs", list}});
    }
    if (command == ":launched") {
        Json list = Json::array();
        for (const auto& commandLine : platform_.takeLaunched())
            list.push_back(commandLine);
        return writeByteJson(Json{{"launched", list}});
    }
    throw Refused("unknown command: " + command);
}

int Console::run(std::istream& in, std::ostream& out) {
    std::string line;
    while (std::getline(in, line)) {
        if (auto reply = answer(line)) out << *reply << '\n' << std::flush;
    }
    return allUnderstood_ ? 0 : 2;
}

} // namespace pelmark::console
