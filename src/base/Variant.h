#pragma once

#include <string>
#include <variant>

namespace pelmark {

// The value that crosses the control's public interface: empty, missing (an optional parameter left
// out), a number, a byte string, or a Boolean.
class Variant {
public:
    enum class Type { Empty, Missing, Number, Text, Boolean };

    Variant() = default;
    Variant(double number) : value_(number) {}
    Variant(int number) : value_(static_cast<double>(number)) {}
    Variant(long long number) : value_(static_cast<double>(number)) {}
    Variant(unsigned number) : value_(static_cast<double>(number)) {}
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(const char* text) : value_(std::string(text)) {}
    Variant(bool flag) : value_(flag) {}

    static Variant missing() {
        Variant v;
        v.value_ = MissingTag{};
        return v;
    }

    Type type() const { return static_cast<Type>(value_.index()); }
    bool isEmpty() const { return type() == Type::Empty; }
    bool isMissing() const { return type() == Type::Missing; }
    bool isNumber() const { return type() == Type::Number; }
    bool isText() const { return type() == Type::Text; }
    bool isBoolean() const { return type() == Type::Boolean; }

    // Raw access; the caller has checked the type.
    double asNumber() const { return std::get<double>(value_); }
    const std::string& asText() const { return std::get<std::string>(value_); }
    bool asBoolean() const { return std::get<bool>(value_); }

    bool operator==(const Variant& other) const = default;

private:
    struct EmptyTag {
        bool operator==(const EmptyTag&) const = default;
    };
    struct MissingTag {
        bool operator==(const MissingTag&) const = default;
    };
    std::variant<EmptyTag, MissingTag, double, std::string, bool> value_;
};

} // namespace pelmark
