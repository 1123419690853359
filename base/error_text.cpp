#include "base/error_text.h"

#include <cstdio>

namespace {

// Shift-JIS: "%sがモジュール %s の %p で発生しました。" (%s occurred at %p in module %s.)
constexpr char FatalErrorFormat[] =
    "%s\x82\xAA\x83\x82\x83W\x83\x85\x81[\x83\x8B %s \x82\xCC %s \x82\xC5\x94\xAD\x90\xB6\x82\xB5"
    "\x82\xDC\x82\xB5\x82\xBD\x81" "B";

// Shift-JIS: " の読み込み中のエラー : " (error while reading ... : )
constexpr char ReadErrorSeparator[] =
    " \x82\xCC\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x92\x86\x82\xCC\x83G\x83\x89\x81[ : ";

constexpr std::size_t FatalTextLimit = 1024;

std::string_view LastCharacter(std::string_view text, LeadByteTest isLead) {
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at, isLead)) start = at;
    return text.substr(start);
}

std::string Hex8(std::uint32_t value) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08lX", static_cast<unsigned long>(value));
    return digits;
}

}  // namespace

std::string WithFullStop(std::string_view message, LeadByteTest isLead) {
    std::string text(message);
    // char_traits<char> compares bytes as unsigned char, as the rule asks.
    if (!text.empty() && LastCharacter(text, isLead) > ".") text += '.';
    return text;
}

std::string FatalErrorText(std::string_view className, std::string_view moduleName,
                           std::uint32_t relativeAddress, std::string_view message) {
    const std::string name(className), module(moduleName), address = Hex8(relativeAddress);
    char head[FatalTextLimit];
    std::snprintf(head, sizeof head, FatalErrorFormat, name.c_str(), module.c_str(), address.c_str());
    std::string text = std::string(head) + '\n' + std::string(message);
    if (!message.empty() && message.back() != '.') text += '.';
    if (text.size() > FatalTextLimit - 1) text.resize(FatalTextLimit - 1);
    return text;
}

std::string RuntimeErrorText(int errorNumber, std::uint32_t address) {
    char number[8];
    std::snprintf(number, sizeof number, "%3d", errorNumber % 1000);
    return std::string("Runtime error ") + number + " at " + Hex8(address);
}

std::string ReadErrorMessage(std::string_view component, std::string_view property,
                             std::string_view message) {
    return std::string(component) + "." + std::string(property) + ReadErrorSeparator +
           std::string(message);
}
