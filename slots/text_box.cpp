#include "slots/text_box.h"

#include "base/exceptions.h"

TMemo TMemo::Create(win32::HWND parent, int left, int top, int width, int height, const char* name) {
    const win32::HWND handle = win32::CreateMemoWindow(parent, left, top, width, height, name);
    if (!handle) throw EOutOfResources(CannotCreateWindowMessage);
    return TMemo(handle);
}

void TMemo::Move(int left, int top, int width, int height) const {
    win32::MoveWindow(handle_, left, top, width, height, 1);
}

// Asks for the length, then for that many bytes; keeps only what the box actually gave, since
// the length of an ANSI text may be reported above its true size.
std::string TMemo::Text() const {
    const int length = win32::GetWindowTextLengthA(handle_);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = win32::GetWindowTextA(handle_, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied < length ? copied : length) : 0);
    return text;
}

void TMemo::SetText(const std::string& text) const {
    if (Text() == text) return;
    OverwriteText(text);
}

void TMemo::OverwriteText(const std::string& text) const { win32::SetWindowTextA(handle_, text.c_str()); }
