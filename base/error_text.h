#pragma once
// The texts of the error boxes.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/coded_text.h"
#include "base/mbcs.h"

// An error box's text: "." appended when the last character, compared as an unsigned byte
// string, sorts after "." (any double-byte character, any byte above 0x2E).
std::string WithFullStop(std::string_view message, LeadByteTest isLead);

// The text of the box for a failure that ends start-up: class, module file name, address
// relative to the module, message, and "." unless the message is empty or ends in one. The
// module's file name is the system's text; the rest is the program's own.
TCodedText FatalErrorText(std::string_view className, std::string_view moduleName,
                           std::uint32_t relativeAddress, std::string_view message);

// "Runtime error 217 at 0040A1B2": the box shown when the application object cannot be made.
std::string RuntimeErrorText(int errorNumber, std::uint32_t address);

// The message of a failure while a component's property is read from the form's values.
std::string ReadErrorMessage(std::string_view component, std::string_view property,
                             std::string_view message);

// Shift-JIS: "アプリケーション エラー" (application error)
inline constexpr char FatalErrorCaption[] =
    "\x83" "A\x83v\x83\x8A\x83P\x81[\x83V\x83\x87\x83\x93 \x83G\x83\x89\x81[";
