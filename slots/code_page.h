#pragma once
// The system's ANSI code page, in which the slots keep their text, and the conversions into it
// that a Unicode writer's clipboard text needs.
#include <string>
#include <string_view>

#include "slots/win32_seam.h"

// Unicode text in the system's ANSI code page; what the code page lacks becomes "?".
std::string InSystemCodePage(std::u16string_view wide);
// The ANSI code page of locale; 0 for a locale that has only Unicode, or that the system does
// not know.
win32::UINT AnsiCodePageOf(win32::LCID locale);
