#pragma once
// A recording stand-in for the Win32 calls of the slot and clipboard logic: an in-memory
// clipboard, memory blocks, edit boxes and key state. It logs every call in order, and a call
// made to fail reports failure the way the real one does.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "slots/win32_seam.h"

struct FakeBlock {
    std::vector<char> bytes;
    win32::UINT flags = 0;
    int locks = 0;
};

struct FakeMemo {
    win32::HWND parent = nullptr;
    int left = 0, top = 0, width = 0, height = 0;
    std::string text;
};

struct FakeWin32 {
    std::vector<std::string> calls;
    std::map<std::string, int> failingFrom;  // call name -> the first call (1-based) that fails

    void Fail(const std::string& name, int fromCall = 1) { failingFrom[name] = fromCall; }

    bool clipboardOpen = false;
    win32::HWND openedBy = nullptr;
    std::map<win32::UINT, win32::HGLOBAL> clipboard;  // format -> block owned by the clipboard
    std::vector<win32::UINT> putOrder;                // formats in the order they were put
    std::uint32_t sequenceNumber = 1;                 // moves on at every change of clipboard
    std::map<win32::HGLOBAL, FakeBlock> blocks;       // every block not yet freed
    std::vector<win32::SIZE_T> allocSizes;
    // Runs at each GetClipboardData with its 1-based number: another program's copy made
    // between two reads.
    std::function<void(int call)> beforeGetClipboardData;
    // Runs as the clipboard is closed: another program's copy made right after a read.
    std::function<void()> afterCloseClipboard;
    // The next so many GetClipboardData calls for text find no data although it is offered: an
    // owner that renders its text late and fails to.
    int failedRenders = 0;
    std::uint32_t tickCount = 0;  // GetTickCount; the tests move it on

    std::vector<win32::HWND> memoOrder;  // in creation order
    std::map<win32::HWND, FakeMemo> memos;
    std::set<int> heldKeys;

    // Puts raw bytes on the clipboard as a CF_TEXT block, as another program would.
    void PutClipboardBytes(const std::string& bytes);
    // Takes everything off the clipboard, as another program's EmptyClipboard does.
    void Empty();
    // Puts a block of format beside what the clipboard holds, after everything put before it.
    void PutClipboardFormat(win32::UINT format, const std::string& bytes);
    // A Unicode program's copy as a reader finds it: its text, its locale (if any), and the
    // CF_TEXT the system derived in code page 1252, where Japanese letters are "?".
    void PutUnicodeCopy(const std::u16string& text, std::optional<win32::LCID> locale);
    // Adds a block of the registered format name beside what the clipboard holds.
    void AddClipboardFormat(const std::string& name, const std::string& bytes = "");
    // The bytes of the CF_TEXT block on the clipboard, whole; empty when there is none.
    std::string ClipboardBytes() const;
    // Blocks that are neither on the clipboard nor freed: leaks.
    int StrayBlocks() const;
    win32::HWND NewMemo(const std::string& text);
    int CallCount(const std::string& name) const;

    void Log(const char* name) { calls.emplace_back(name); }
    bool Fails(const char* name);  // logs the call, then says whether it is to fail
    win32::HGLOBAL NewBlock(std::size_t size, win32::UINT flags);
};

// A CF_LOCALE block's bytes.
std::string LocaleBytes(win32::LCID locale);

// The one fake the seam calls; tests reset it between cases.
FakeWin32& Fake();
void ResetFake();
