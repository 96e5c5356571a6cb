#pragma once

#include <stdexcept>
#include <string>

namespace pelmark {

// What went wrong, so that a host (or the console) can tell a missing file from a bad argument.
enum class ErrorKind {
    FileNotFound,
    FileRead,
    FileWrite,
    InvalidArgument,
    TypeMismatch,
    Overflow,
    ProcessStart,
    NotImplemented,
    Busy,
};

// The one error type of the control: operations started with a path report their failures with it.
class PelmarkError : public std::runtime_error {
public:
    PelmarkError(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    ErrorKind kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

} // namespace pelmark
