// The title and the "." rule over any bytes, in code page 932 where a trail byte may look like
// a backslash or a dot: the title is a piece of the path with no backslash or dot in it, and
// an error text gains at most a full stop.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/program_title.h"
#include "base/error_text.h"

namespace {

bool ShiftJisLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// The title is a piece of the path in which no character is a backslash or a dot.
void CheckTitle(std::string_view path) {
    const std::string title = ProgramNameFromPath(path, ShiftJisLead);
    if (path.find(title) == std::string_view::npos) __builtin_trap();
    for (std::size_t at = 0; at < title.size(); at += CharacterLength(title, at, ShiftJisLead)) {
        if (title[at] == '\\' || title[at] == '.') __builtin_trap();
    }
}

void CheckFullStop(std::string_view message) {
    const std::string text = WithFullStop(message, ShiftJisLead);
    if (text != message && text != std::string(message) + ".") __builtin_trap();
    if (message.empty() && !text.empty()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckTitle(bytes.substr(0, 255));
    CheckFullStop(bytes);
    return 0;
}
