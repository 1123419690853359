#include "slots/clipboard.h"

#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

#include "base/scoped_handle.h"

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

// The bytes of a CF_TEXT block up to its first NUL, and never past the block's end.
std::string_view TextOfBlock(const char* bytes, win32::SIZE_T blockSize) {
    const void* nul = std::memchr(bytes, 0, blockSize);
    const auto length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : blockSize;
    return std::string_view(bytes, length);
}

// Hands the text of the clipboard, which the caller holds open, in place and still locked, to
// use; nothing when there is no text block or it cannot be locked.
template <typename Use>
auto UseOpenClipboardText(Use use) {
    using Held = std::optional<std::string_view>;
    const win32::HGLOBAL block = win32::GetClipboardData(win32::ClipboardFormatText);
    if (!block) return use(Held());
    BlockUnlock unlock(block);
    const auto* bytes = static_cast<const char*>(win32::GlobalLock(block));
    if (!bytes) return use(Held());
    return use(Held(TextOfBlock(bytes, win32::GlobalSize(block))));
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
    OwnedBlock block(win32::GlobalAlloc(win32::MoveableSharedMemory, static_cast<win32::SIZE_T>(size)));
    if (!block) throw Exception(CannotAllocateClipboardMessage);
    void* data = win32::GlobalLock(block.Get());
    if (!data) throw Exception(CannotAllocateClipboardMessage);
    BlockUnlock unlock(block.Get());
    std::memcpy(data, bytes, static_cast<std::size_t>(size));
    EmptyOncePerOpen();
    if (!win32::SetClipboardData(format, block.Get()))
        throw EClipboardRefusedText(CannotSetClipboardDataMessage);
    block.Release();
}

TClipboard& SharedClipboard() {
    static TClipboard clipboard;
    return clipboard;
}

std::string ReadClipboardText(win32::HWND owner) {
    ClipboardOpen open(SharedClipboard(), owner);
    return UseOpenClipboardText(&Copied);
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

void WriteClipboardText(win32::HWND owner, const std::string& text) {
    if (text.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw Exception(CannotAllocateClipboardMessage);
    SharedClipboard().PutClipboardBlock(owner, win32::ClipboardFormatText, text.c_str(),
                                        static_cast<std::int32_t>(text.size() + 1));
}

void CheckClipboardOpens(win32::HWND owner) { ClipboardOpen open(SharedClipboard(), owner); }
