#pragma once
// The benchmarks' side of the lean in-memory seam.
#include <string>

#include "slots/win32_seam.h"

// Replaces the clipboard's text, as another program would.
void PutClipboardText(const std::string& text);
