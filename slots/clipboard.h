#pragma once
// The program's only access to the system clipboard: text in the CF_TEXT format (or a Unicode
// writer's text, converted, where its CF_TEXT lost letters), the clipboard opened and closed
// again inside every single read or write. The caller names the window that owns the clipboard
// while it is open.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/exceptions.h"
#include "slots/win32_seam.h"

class TClipboard {
public:
    virtual ~TClipboard() = default;

    virtual void ClearClipboard();
    virtual void ReleaseClipboard();
    // Only the outermost acquire opens the clipboard, with owner; nested ones only count.
    virtual void AcquireClipboard(win32::HWND owner);

    void EmptyOncePerOpen();
    void PutClipboardBlock(win32::HWND owner, std::uint16_t format, const void* bytes, std::int32_t size);

    std::int32_t OpenDepth = 0;                  // acquires not yet released
    win32::HWND OwnerWindow = nullptr;           // given to OpenClipboard at the outermost acquire
    bool EmptiedThisOpen = false;                // emptied since the outermost acquire
};

// The one clipboard object of the process, made on first use.
TClipboard& SharedClipboard();

// The registered formats that password managers and private windows put beside a text that no
// clipboard tool is to keep. Either one marks the clipboard's text as a secret, whatever its data.
using SecretMarkers = std::array<win32::UINT, 2>;
SecretMarkers RegisterSecretMarkers();

// What one look at the clipboard found, compared with a text.
enum class ClipboardFinding {
    Secret,      // marked secret: its text was not even asked for
    SameText,    // a text equal to the one compared
    OtherText,   // a text that differs
    NoText,      // nothing that is text
    Unreadable,  // text is offered but could not be had: an owner that failed to render it, or
                 // a block that could not be locked
};
// Compares the clipboard's text with text where it lies, without copying it.
ClipboardFinding CompareClipboardText(win32::HWND owner, const SecretMarkers& markers, const std::string& text);
// The clipboard's text, or nothing when it is marked secret. It is CF_TEXT's bytes up to the
// first NUL, unless a Unicode writer's CF_TEXT was derived in a code page other than the
// system's: then it is the Unicode text in the system's code page.
std::optional<std::string> ReadUnmarkedClipboardText(win32::HWND owner, const SecretMarkers& markers);
void WriteClipboardText(win32::HWND owner, const std::string& text);
// Opens and closes the clipboard without reading it: fails exactly as a read would while
// another program holds it open.
void CheckClipboardOpens(win32::HWND owner);

// SetClipboardData refused the text after the clipboard had been emptied: the clipboard now
// holds nothing at all.
class EClipboardRefusedText : public Exception {
public:
    using Exception::Exception;
};

// Shift-JIS: "クリップボードを開くことができません" (the clipboard cannot be opened)
inline constexpr char CannotOpenClipboardMessage[] =
    "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xF0\x8A\x4A\x82\xAD\x82\xB1"
    "\x82\xC6\x82\xAA\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";

// Shift-JIS: "クリップボード用のメモリを確保できません" (no memory can be had for the clipboard)
inline constexpr char CannotAllocateClipboardMessage[] =
    "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x97\x70\x82\xCC\x83\x81\x83\x82"
    "\x83\x8A\x82\xF0\x8A\x6D\x95\xDB\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";

// Shift-JIS: "クリップボードにデータを設定できません" (the data cannot be set on the clipboard)
inline constexpr char CannotSetClipboardDataMessage[] =
    "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xC9\x83\x66\x81\x5B\x83\x5E"
    "\x82\xF0\x90\xDD\x92\xE8\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";
