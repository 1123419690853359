#pragma once
// The program's title comes from its executable's name: the part after the last backslash, cut
// at the first dot. Both are found by characters, so a trail byte 0x5C or 0x2E counts as neither. (Lower-casing from the second byte on is the caller's, with CharLowerA.)
#include <string>
#include <string_view>

#include "base/mbcs.h"

// The file name of a path: what follows its last backslash.
std::string_view FileNameOfPath(std::string_view path, LeadByteTest isLead);

std::string ProgramNameFromPath(std::string_view path, LeadByteTest isLead);
