#include "slots/code_page.h"

#include <algorithm>
#include <cstdint>

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

void AppendInSystemCodePage(std::string& text, std::u16string_view piece) {
    const int count = static_cast<int>(piece.size());
    const int bytes = win32::WideCharToMultiByte(win32::AnsiCodePage, 0, piece.data(), count, nullptr, 0,
                                                 nullptr, nullptr);
    if (bytes <= 0) return;
    const std::size_t start = text.size();
    text.resize(start + static_cast<std::size_t>(bytes));
    const int written = win32::WideCharToMultiByte(win32::AnsiCodePage, 0, piece.data(), count, text.data() + start,
                                                   bytes, nullptr, nullptr);
    text.resize(start + static_cast<std::size_t>(std::max(written, 0)));
}

}  // namespace

// Converted in pieces, so that no count given to the system can overflow an int however long
// the text; a piece never ends between the two halves of a surrogate pair. What the code page
// lacks becomes its default character.
std::string InSystemCodePage(std::u16string_view wide) {
    constexpr std::size_t PieceLength = std::size_t{1} << 20;
    std::string text;
    while (!wide.empty()) {
        std::size_t length = std::min(wide.size(), PieceLength);
        if (length < wide.size() && IsHighSurrogate(wide[length - 1])) --length;
        AppendInSystemCodePage(text, wide.substr(0, length));
        wide.remove_prefix(length);
    }
    return text;
}

win32::UINT AnsiCodePageOf(win32::LCID locale) {
    std::uint32_t codePage = 0;
    if (!win32::GetLocaleInfoA(locale, win32::LocaleAnsiCodePageNumber, reinterpret_cast<char*>(&codePage),
                               sizeof codePage)) {
        return 0;
    }
    return codePage;
}
