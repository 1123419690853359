#include "base/error_text.h"

#include <algorithm>

namespace {

// The pieces of "%sがモジュール %s の %p で発生しました。" (%s occurred at %p in module %s.),
// joined without printf so that the program carries no formatter.
// Shift-JIS: "がモジュール " (in module)
constexpr char InModule[] = "\x82\xAA\x83\x82\x83W\x83\x85\x81[\x83\x8B ";
// Shift-JIS: " の " (at)
constexpr char AtAddress[] = " \x82\xCC ";
// Shift-JIS: " で発生しました。" (occurred.)
constexpr char Occurred[] =
    " \x82\xC5\x94\xAD\x90\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";

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
    constexpr char digits[] = "0123456789ABCDEF";
    std::string text(8, '0');
    for (auto at = text.rbegin(); at != text.rend(); ++at, value >>= 4) *at = digits[value & 0xF];
    return text;
}

}  // namespace

std::string WithFullStop(std::string_view message, LeadByteTest isLead) {
    std::string text(message);
    // char_traits<char> compares bytes as unsigned char, as the rule asks.
    if (!text.empty() && LastCharacter(text, isLead) > ".") text += '.';
    return text;
}

TCodedText FatalErrorText(std::string_view className, std::string_view moduleName,
                          std::uint32_t relativeAddress, std::string_view message) {
    TCodedText text = OwnText(std::string(className) + InModule);
    text.Append(TCodePage::SystemAnsi, moduleName);
    text.Append(TCodePage::ShiftJis, AtAddress + Hex8(relativeAddress) + Occurred + '\n' + std::string(message));
    if (!message.empty() && message.back() != '.') text.Append(TCodePage::ShiftJis, ".");
    text.Truncate(FatalTextLimit - 1);
    return text;
}

std::string RuntimeErrorText(int errorNumber, std::uint32_t address) {
    // The number right-aligned in three places.
    std::string number = std::to_string(errorNumber % 1000);
    number.insert(0, 3 - std::min<std::size_t>(number.size(), 3), ' ');
    return "Runtime error " + number + " at " + Hex8(address);
}

std::string ReadErrorMessage(std::string_view component, std::string_view property,
                             std::string_view message) {
    return std::string(component) + "." + std::string(property) + ReadErrorSeparator +
           std::string(message);
}
