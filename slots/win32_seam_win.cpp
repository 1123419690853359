// Binds the slot and clipboard logic's Win32 calls to the real user32 and kernel32.
#include "slots/win32_seam.h"

#include <windows.h>

namespace win32 {

BOOL OpenClipboard(HWND owner) { return ::OpenClipboard(owner); }
BOOL CloseClipboard() { return ::CloseClipboard(); }
BOOL EmptyClipboard() { return ::EmptyClipboard(); }
HGLOBAL GetClipboardData(UINT format) { return ::GetClipboardData(format); }
HGLOBAL SetClipboardData(UINT format, HGLOBAL block) { return ::SetClipboardData(format, block); }
std::uint32_t GetClipboardSequenceNumber() { return ::GetClipboardSequenceNumber(); }
BOOL IsClipboardFormatAvailable(UINT format) { return ::IsClipboardFormatAvailable(format); }
UINT RegisterClipboardFormatA(const char* name) { return ::RegisterClipboardFormatA(name); }
UINT EnumClipboardFormats(UINT format) { return ::EnumClipboardFormats(format); }

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) { return ::GlobalAlloc(flags, bytes); }
void* GlobalLock(HGLOBAL block) { return ::GlobalLock(block); }
BOOL GlobalUnlock(HGLOBAL block) { return ::GlobalUnlock(block); }
HGLOBAL GlobalFree(HGLOBAL block) { return ::GlobalFree(block); }
SIZE_T GlobalSize(HGLOBAL block) { return ::GlobalSize(block); }

UINT GetACP() { return ::GetACP(); }
LCID GetSystemDefaultLCID() { return ::GetSystemDefaultLCID(); }
int GetLocaleInfoA(LCID locale, std::uint32_t type, char* data, int size) {
    return ::GetLocaleInfoA(locale, type, data, size);
}
// char16_t and WCHAR are both 16-bit UTF-16 code units on Windows.
int WideCharToMultiByte(UINT codePage, std::uint32_t flags, const char16_t* wide, int wideCount, char* bytes,
                        int byteCount, const char* defaultChar, BOOL* usedDefault) {
    return ::WideCharToMultiByte(codePage, flags, reinterpret_cast<const WCHAR*>(wide), wideCount, bytes,
                                 byteCount, defaultChar, usedDefault);
}
std::uint32_t GetTickCount() { return ::GetTickCount(); }

int GetWindowTextLengthA(HWND window) { return ::GetWindowTextLengthA(window); }
int GetWindowTextA(HWND window, char* buffer, int bufferSize) {
    return ::GetWindowTextA(window, buffer, bufferSize);
}
BOOL SetWindowTextA(HWND window, const char* text) { return ::SetWindowTextA(window, text); }
BOOL MoveWindow(HWND window, int left, int top, int width, int height, BOOL repaint) {
    return ::MoveWindow(window, left, top, width, height, repaint);
}
std::int16_t GetAsyncKeyState(int virtualKey) { return ::GetAsyncKeyState(virtualKey); }

HWND CreateMemoWindow(HWND parent, int left, int top, int width, int height, const char* name) {
    // Never shown and no tab stop: the window looks and tabs as without it.
    if (name && !::CreateWindowExA(0, "STATIC", name, WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0, parent, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr)) {
        return nullptr;
    }
    // ES_AUTOHSCROLL on a multi-line box means no word wrap: a long line scrolls sideways.
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
                            ES_AUTOHSCROLL | ES_WANTRETURN;
    HWND memo = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", style, left, top, width, height,
                                  parent, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (memo) ::SendMessageA(memo, EM_SETLIMITTEXT, 0, 0);  // 0: the largest limit there is
    return memo;
}

}  // namespace win32
