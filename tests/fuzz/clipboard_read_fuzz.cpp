// Any block of bytes on the clipboard reads as the text before its first NUL (all of it when
// there is none), compares equal to that text where it lies (an empty block cannot be locked),
// and leaves the clipboard closed and no memory behind. A block whose first byte is odd is also
// put before it as a Unicode writer's text under English (US), which is then what is read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "slots/clipboard.h"
#include "tests/host/fake_win32.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ResetFake();
    const std::string block(reinterpret_cast<const char*>(data), size);
    const bool unicode = size > 0 && (data[0] & 1) != 0;
    if (unicode) {
        Fake().PutClipboardFormat(win32::ClipboardFormatUnicodeText, block);
        Fake().PutClipboardFormat(win32::ClipboardFormatLocale, LocaleBytes(0x0409));
    }
    Fake().PutClipboardBytes(block);

    const auto owner = reinterpret_cast<win32::HWND>(0xA99);
    const std::string text = ReadUnmarkedClipboardText(owner, RegisterSecretMarkers()).value();

    if (!unicode && text != block.substr(0, block.find('\0'))) __builtin_trap();
    // An empty block cannot be locked: it is offered text that cannot be had.
    const ClipboardFinding finding = CompareClipboardText(owner, RegisterSecretMarkers(), text);
    if (finding != (block.empty() ? ClipboardFinding::Unreadable : ClipboardFinding::SameText)) __builtin_trap();
    if (SharedClipboard().OpenDepth != 0 || Fake().clipboardOpen) __builtin_trap();
    if (Fake().StrayBlocks() != 0) __builtin_trap();
    return 0;
}
