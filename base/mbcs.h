#pragma once
// Walking ANSI text by characters of the system's multi-byte character set, where a lead byte
// and the byte after it form one character (so a trail byte 0x5C is no backslash).
#include <cstddef>
#include <string_view>

using LeadByteTest = bool (*)(unsigned char byte);

// The lead bytes of the system's ANSI code page (IsDBCSLeadByte); Windows builds only.
bool IsSystemLeadByte(unsigned char byte);

// The lead bytes of code page 932 (Shift-JIS), the code page of the program's own texts.
inline bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The length in bytes of the character that starts at offset.
inline std::size_t CharacterLength(std::string_view text, std::size_t offset, LeadByteTest isLead) {
    return isLead(static_cast<unsigned char>(text[offset])) && offset + 1 < text.size() ? 2 : 1;
}
