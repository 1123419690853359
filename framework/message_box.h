#pragma once
// Message boxes through the Unicode API: each piece of a text is converted from its own code
// page, so the program's Shift-JIS texts read right on Windows in any language, and on Japanese
// Windows a box is the one an ANSI call shows.
#include <windows.h>

#include <string>

#include "base/coded_text.h"

std::wstring WideText(const TCodedText& text);

int CodedMessageBox(HWND owner, const TCodedText& text, const TCodedText& caption, UINT flags);
