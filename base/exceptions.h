#pragma once
// The program's error objects: each carries its message text (ANSI bytes) and knows its class
// name, which the fatal start-up box shows.
#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}

    const std::string& Message() const noexcept { return message_; }
    virtual const char* ClassName() const noexcept { return "Exception"; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A failure that is dropped without a box.
class EAbort : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EAbort"; }
};

class EOutOfResources : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EOutOfResources"; }
};

class EReadError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EReadError"; }
};

// Shift-JIS: "ウィンドウを作成できません" (the window cannot be created)
inline constexpr char CannotCreateWindowMessage[] =
    "\x83" "E\x83" "B\x83\x93\x83h\x83" "E\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC"
    "\x82\xB9\x82\xF1";
