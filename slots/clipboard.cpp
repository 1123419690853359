#include "slots/clipboard.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

#include "base/scoped_handle.h"
#include "slots/code_page.h"

namespace {

void FreeBlock(win32::HGLOBAL block) { win32::GlobalFree(block); }
void UnlockBlock(win32::HGLOBAL block) { win32::GlobalUnlock(block); }

using OwnedBlock = ScopedHandle<win32::HGLOBAL, &FreeBlock>;
using BlockUnlock = ScopedHandle<win32::HGLOBAL, &UnlockBlock>;

// Pairs one acquire with its release on every path out of a read or a write.
class ClipboardOpen {
public:
    ClipboardOpen(TClipboard& clipboard, win32::HWND owner) : clipboard_(clipboard) {
        clipboard_.AcquireClipboard(owner);
    }
    ~ClipboardOpen() { clipboard_.ReleaseClipboard(); }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;

private:
    TClipboard& clipboard_;
};

// A new block holding a copy of bytes, locked while it lives; freed with it unless the
// clipboard took it.
class FilledBlock {
public:
    FilledBlock(const void* bytes, win32::SIZE_T size)
        : block_(win32::GlobalAlloc(win32::MoveableSharedMemory, size)) {
        if (!block_) throw Exception(CannotAllocateClipboardMessage);
        void* data = win32::GlobalLock(block_.Get());
        if (!data) throw Exception(CannotAllocateClipboardMessage);
        unlock_ = BlockUnlock(block_.Get());
        std::memcpy(data, bytes, size);
    }

    bool HandOver(win32::UINT format) {
        if (!win32::SetClipboardData(format, block_.Get())) return false;
        block_.Release();
        return true;
    }

private:
    OwnedBlock block_;
    BlockUnlock unlock_;  // unlocks before the block, if still owned, is freed
};

// The bytes of a CF_TEXT block up to its first NUL, and never past the block's end.
std::string_view TextOfBlock(const char* bytes, win32::SIZE_T blockSize) {
    const void* nul = std::memchr(bytes, 0, blockSize);
    const auto length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : blockSize;
    return std::string_view(bytes, length);
}

// The same for a CF_UNICODETEXT block, whose characters are 16 bits wide.
std::u16string_view WideTextOfBlock(const char16_t* wide, win32::SIZE_T blockSize) {
    const char16_t* end = wide + blockSize / sizeof(char16_t);
    return std::u16string_view(wide, static_cast<std::size_t>(std::find(wide, end, u'\0') - wide));
}

// The system lists the formats in the order they were put, and a format it derives after the
// one it derives it from: the first text format listed is the one the writer put.
bool WriterPutUnicodeText() {
    for (win32::UINT format = win32::EnumClipboardFormats(0); format != 0;
         format = win32::EnumClipboardFormats(format)) {
        if (format == win32::ClipboardFormatText) return false;
        if (format == win32::ClipboardFormatUnicodeText) return true;
    }
    return false;
}

// Hands the clipboard's block of format, locked, and its size to use; a null pointer when there
// is no such block or it cannot be locked. The block is unlocked on every way out.
template <typename Use>
auto UseLockedBlock(win32::UINT format, Use use) {
    const win32::HGLOBAL block = win32::GetClipboardData(format);
    if (!block) return use(nullptr, 0);
    BlockUnlock unlock(block);
    const void* data = win32::GlobalLock(block);
    if (!data) return use(nullptr, 0);
    return use(data, win32::GlobalSize(block));
}

// The ANSI code page of the clipboard's CF_LOCALE; 0 when it has none.
win32::UINT ClipboardLocaleCodePage() {
    return UseLockedBlock(win32::ClipboardFormatLocale, [](const void* data, win32::SIZE_T size) -> win32::UINT {
        win32::LCID locale = 0;
        if (!data || size < sizeof locale) return 0;
        std::memcpy(&locale, data, sizeof locale);
        return AnsiCodePageOf(locale);
    });
}

// Whether a Unicode writer's text was turned into CF_TEXT in the code page of another locale:
// with a keyboard layout of another language that code page lacks the system's own letters, and
// CF_TEXT holds question marks where they were.
bool TextDerivedInAnotherCodePage() {
    if (!WriterPutUnicodeText()) return false;
    const win32::UINT codePage = ClipboardLocaleCodePage();
    return codePage != 0 && codePage != win32::GetACP();
}

using Held = std::optional<std::string_view>;

// Nothing when the offered Unicode text cannot be rendered or locked.
std::optional<std::string> UnicodeTextInSystemCodePage() {
    return UseLockedBlock(win32::ClipboardFormatUnicodeText,
                          [](const void* data, win32::SIZE_T size) -> std::optional<std::string> {
                              if (!data) return std::nullopt;
                              return InSystemCodePage(WideTextOfBlock(static_cast<const char16_t*>(data), size));
                          });
}

// Hands the text of the clipboard, which the caller holds open, to use: the CF_TEXT block in
// place and still locked, or the Unicode text converted to the system's code page when CF_TEXT
// was derived in another one; nothing when there is no text or it cannot be had.
template <typename Use>
auto UseOpenClipboardText(Use use) {
    if (TextDerivedInAnotherCodePage()) {
        const std::optional<std::string> converted = UnicodeTextInSystemCodePage();
        return use(converted ? Held(*converted) : Held());
    }
    return UseLockedBlock(win32::ClipboardFormatText, [&use](const void* data, win32::SIZE_T size) {
        return data ? use(Held(TextOfBlock(static_cast<const char*>(data), size))) : use(Held());
    });
}

std::string Copied(std::optional<std::string_view> held) { return std::string(held.value_or(std::string_view())); }

bool MarkedSecret(const SecretMarkers& markers) {
    for (const win32::UINT marker : markers) {
        if (marker != 0 && win32::IsClipboardFormatAvailable(marker)) return true;
    }
    return false;
}

}  // namespace

void TClipboard::AcquireClipboard(win32::HWND owner) {
    if (OpenDepth == 0) {
        OwnerWindow = owner;
        if (!win32::OpenClipboard(OwnerWindow)) throw Exception(CannotOpenClipboardMessage);
        EmptiedThisOpen = false;
    }
    ++OpenDepth;
}

void TClipboard::ReleaseClipboard() {
    if (OpenDepth == 0) return;
    if (--OpenDepth == 0) {
        win32::CloseClipboard();
        OwnerWindow = nullptr;
    }
}

// Runs inside an open, so the owner of the outermost acquire stands.
void TClipboard::ClearClipboard() {
    ClipboardOpen open(*this, OwnerWindow);
    win32::EmptyClipboard();
}

void TClipboard::EmptyOncePerOpen() {
    if (OpenDepth > 0 && !EmptiedThisOpen) {
        ClearClipboard();
        EmptiedThisOpen = true;
    }
}

// Fills a new block before the clipboard is emptied, so a failure up to the copy leaves the
// old contents untouched. The block is the system's only once SetClipboardData accepts it;
// otherwise it is freed here, and the refusal raised: the clipboard was emptied by then.
void TClipboard::PutClipboardBlock(win32::HWND owner, std::uint16_t format, const void* bytes,
                                   std::int32_t size) {
    ClipboardOpen open(*this, owner);
    FilledBlock block(bytes, static_cast<win32::SIZE_T>(size));
    EmptyOncePerOpen();
    if (!block.HandOver(format)) throw EClipboardRefusedText(CannotSetClipboardDataMessage);
}

TClipboard& SharedClipboard() {
    static TClipboard clipboard;
    return clipboard;
}

SecretMarkers RegisterSecretMarkers() {
    return {win32::RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing"),
            win32::RegisterClipboardFormatA("Clipboard Viewer Ignore")};
}

// The markers are looked at first, so that a secret's owner is never asked to render it.
ClipboardFinding CompareClipboardText(win32::HWND owner, const SecretMarkers& markers, const std::string& text) {
    ClipboardOpen open(SharedClipboard(), owner);
    if (MarkedSecret(markers)) return ClipboardFinding::Secret;
    return UseOpenClipboardText([&text](std::optional<std::string_view> held) {
        if (!held) {
            return win32::IsClipboardFormatAvailable(win32::ClipboardFormatText) ? ClipboardFinding::Unreadable
                                                                                 : ClipboardFinding::NoText;
        }
        return *held == text ? ClipboardFinding::SameText : ClipboardFinding::OtherText;
    });
}

std::optional<std::string> ReadUnmarkedClipboardText(win32::HWND owner, const SecretMarkers& markers) {
    ClipboardOpen open(SharedClipboard(), owner);
    if (MarkedSecret(markers)) return std::nullopt;
    return UseOpenClipboardText(&Copied);
}

// Beside the text goes the system's locale, whatever the keyboard layout: the system then
// derives CF_UNICODETEXT from CF_TEXT in the system's code page, so a Unicode program pastes
// exactly the slot's text. CF_TEXT stays the one byte-exact text, so the program's own write
// read back takes the CF_TEXT path and a slot's bytes never pass through Unicode. Both blocks
// are filled before the clipboard is emptied; a refused locale is freed and not reported, as
// the text the user asked for is on the clipboard.
void WriteClipboardText(win32::HWND owner, const std::string& text) {
    if (text.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw Exception(CannotAllocateClipboardMessage);
    TClipboard& clipboard = SharedClipboard();
    ClipboardOpen open(clipboard, owner);
    FilledBlock textBlock(text.c_str(), text.size() + 1);
    const win32::LCID locale = win32::GetSystemDefaultLCID();
    FilledBlock localeBlock(&locale, sizeof locale);
    clipboard.EmptyOncePerOpen();
    if (!textBlock.HandOver(win32::ClipboardFormatText)) throw EClipboardRefusedText(CannotSetClipboardDataMessage);
    localeBlock.HandOver(win32::ClipboardFormatLocale);
}

void CheckClipboardOpens(win32::HWND owner) { ClipboardOpen open(SharedClipboard(), owner); }
