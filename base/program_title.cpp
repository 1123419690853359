#include "base/program_title.h"

std::string_view FileNameOfPath(std::string_view path, LeadByteTest isLead) {
    std::size_t nameStart = 0;
    for (std::size_t at = 0; at < path.size(); at += CharacterLength(path, at, isLead)) {
        if (path[at] == '\\') nameStart = at + 1;
    }
    return path.substr(nameStart);
}

std::string ProgramNameFromPath(std::string_view path, LeadByteTest isLead) {
    const std::string_view name = FileNameOfPath(path, isLead);
    for (std::size_t at = 0; at < name.size(); at += CharacterLength(name, at, isLead)) {
        if (name[at] == '.') return std::string(name.substr(0, at));
    }
    return std::string(name);
}
