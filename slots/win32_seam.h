#pragma once
// The Win32 calls made by the slot and clipboard logic, under their Win32 names and shapes.
// The Windows build binds them to user32 and kernel32 (win32_seam_win.cpp); the host tests bind
// them to a recording fake, so this logic never includes <windows.h> and can be tested without it.
#include <cstddef>
#include <cstdint>

struct HWND__;  // the same opaque tag that <windows.h> uses, so handles pass through unchanged

namespace win32 {

using HWND = HWND__*;
using HGLOBAL = void*;
using UINT = unsigned int;
using BOOL = int;
using SIZE_T = std::size_t;
using LCID = std::uint32_t;

// Values fixed by the Win32 ABI, named apart from the <windows.h> macros they match.
constexpr UINT ClipboardFormatText = 1;         // CF_TEXT
constexpr UINT ClipboardFormatUnicodeText = 13; // CF_UNICODETEXT
constexpr UINT ClipboardFormatLocale = 16;      // CF_LOCALE
constexpr UINT AnsiCodePage = 0;                // CP_ACP
constexpr std::uint32_t LocaleAnsiCodePageNumber = 0x20001004;  // LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER
constexpr UINT MoveableSharedMemory = 0x2002;   // GMEM_MOVEABLE | GMEM_DDESHARE
constexpr int VirtualKeyControl = 17;           // VK_CONTROL

// user32: the clipboard
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
HGLOBAL GetClipboardData(UINT format);
HGLOBAL SetClipboardData(UINT format, HGLOBAL block);
// Moves on at every change of the clipboard's contents, whoever makes it; needs no open.
std::uint32_t GetClipboardSequenceNumber();
// Whether the clipboard offers format, with its data or with the promise of it; reads nothing.
BOOL IsClipboardFormatAvailable(UINT format);
// The number of a format known by name to every program; 0 when it cannot be had.
UINT RegisterClipboardFormatA(const char* name);
// The format listed after format (0: the first), in the order the formats were put, each one
// the system derives after the one it derives it from; 0 after the last.
UINT EnumClipboardFormats(UINT format);

// kernel32: global memory blocks
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
void* GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
HGLOBAL GlobalFree(HGLOBAL block);
SIZE_T GlobalSize(HGLOBAL block);

// kernel32: code pages, locales and the clock
UINT GetACP();
LCID GetSystemDefaultLCID();
int GetLocaleInfoA(LCID locale, std::uint32_t type, char* data, int size);
// Characters this code page lacks become defaultChar, or its own default character when that
// is null.
int WideCharToMultiByte(UINT codePage, std::uint32_t flags, const char16_t* wide, int wideCount, char* bytes,
                        int byteCount, const char* defaultChar, BOOL* usedDefault);
std::uint32_t GetTickCount();

// user32: text boxes and the keyboard
int GetWindowTextLengthA(HWND window);
int GetWindowTextA(HWND window, char* buffer, int bufferSize);
BOOL SetWindowTextA(HWND window, const char* text);
// Places a child window on its parent and repaints it.
BOOL MoveWindow(HWND window, int left, int top, int width, int height, BOOL repaint);
std::int16_t GetAsyncKeyState(int virtualKey);

// A multi-line edit control as a child of parent: no word wrap, no scroll bars, the largest
// length limit. Not a single Win32 call, but the one place where an edit box is made. A box
// given a name (ASCII, so that it reads the same on every code page) gets a hidden label made
// just before it, which screen readers announce as the box's name.
HWND CreateMemoWindow(HWND parent, int left, int top, int width, int height, const char* name);

}  // namespace win32
