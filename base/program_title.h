#pragma once
// The program's title comes from its executable's name: the part after the last backslash, cut
// at the first dot. (Lower-casing from the second byte on is the caller's, with CharLowerA.)
#include <string>
#include <string_view>

#include "base/mbcs.h"

std::string ProgramNameFromPath(std::string_view path, LeadByteTest isLead);
