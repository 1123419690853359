#include "tests/host/fake_win32.h"

#include <algorithm>
#include <cstdint>
#include <memory>

namespace {

std::unique_ptr<FakeWin32> instance = std::make_unique<FakeWin32>();
std::uintptr_t nextHandle = 0x1000;

template <typename Handle>
Handle MakeHandle() {
    nextHandle += 0x10;
    return reinterpret_cast<Handle>(nextHandle);
}

}  // namespace

FakeWin32& Fake() { return *instance; }
void ResetFake() { instance = std::make_unique<FakeWin32>(); }

bool FakeWin32::Fails(const char* name) {
    Log(name);
    const auto it = failingFrom.find(name);
    return it != failingFrom.end() && CallCount(name) >= it->second;
}

win32::HGLOBAL FakeWin32::NewBlock(std::size_t size, win32::UINT flags) {
    const auto block = MakeHandle<win32::HGLOBAL>();
    blocks[block] = FakeBlock{std::vector<char>(size, '\xCD'), flags, 0};
    return block;
}

void FakeWin32::PutClipboardBytes(const std::string& bytes) {
    const auto block = NewBlock(bytes.size(), win32::MoveableSharedMemory);
    std::copy(bytes.begin(), bytes.end(), blocks[block].bytes.begin());
    if (auto old = clipboard.find(win32::ClipboardFormatText); old != clipboard.end()) {
        blocks.erase(old->second);
    }
    clipboard[win32::ClipboardFormatText] = block;
    ++sequenceNumber;
}

void FakeWin32::AddClipboardFormat(const std::string& name, const std::string& bytes) {
    const auto block = NewBlock(bytes.size(), win32::MoveableSharedMemory);
    std::copy(bytes.begin(), bytes.end(), blocks[block].bytes.begin());
    clipboard[win32::RegisterClipboardFormatA(name.c_str())] = block;
    ++sequenceNumber;
}

std::string FakeWin32::ClipboardBytes() const {
    const auto it = clipboard.find(win32::ClipboardFormatText);
    if (it == clipboard.end()) return {};
    const auto& bytes = blocks.at(it->second).bytes;
    return std::string(bytes.begin(), bytes.end());
}

int FakeWin32::StrayBlocks() const {
    int stray = 0;
    for (const auto& entry : blocks) {
        const win32::HGLOBAL handle = entry.first;
        const bool onClipboard = std::any_of(clipboard.begin(), clipboard.end(),
                                             [handle](const auto& held) { return held.second == handle; });
        if (!onClipboard) ++stray;
    }
    return stray;
}

win32::HWND FakeWin32::NewMemo(const std::string& text) {
    const auto memo = MakeHandle<win32::HWND>();
    memos[memo].text = text;
    return memo;
}

int FakeWin32::CallCount(const std::string& name) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), name));
}

namespace win32 {

BOOL OpenClipboard(HWND owner) {
    auto& fake = Fake();
    if (fake.Fails("OpenClipboard") || fake.clipboardOpen) return 0;
    fake.clipboardOpen = true;
    fake.openedBy = owner;
    return 1;
}

BOOL CloseClipboard() {
    auto& fake = Fake();
    if (fake.Fails("CloseClipboard") || !fake.clipboardOpen) return 0;
    fake.clipboardOpen = false;
    if (fake.afterCloseClipboard) fake.afterCloseClipboard();
    return 1;
}

BOOL EmptyClipboard() {
    auto& fake = Fake();
    if (fake.Fails("EmptyClipboard") || !fake.clipboardOpen) return 0;
    for (const auto& [format, block] : fake.clipboard) fake.blocks.erase(block);
    fake.clipboard.clear();
    ++fake.sequenceNumber;
    return 1;
}

HGLOBAL GetClipboardData(UINT format) {
    auto& fake = Fake();
    if (fake.Fails("GetClipboardData") || !fake.clipboardOpen) return nullptr;
    if (fake.beforeGetClipboardData) fake.beforeGetClipboardData(fake.CallCount("GetClipboardData"));
    if (fake.failedRenders > 0) {
        --fake.failedRenders;
        return nullptr;
    }
    const auto it = fake.clipboard.find(format);
    return it == fake.clipboard.end() ? nullptr : it->second;
}

HGLOBAL SetClipboardData(UINT format, HGLOBAL block) {
    auto& fake = Fake();
    if (fake.Fails("SetClipboardData") || !fake.clipboardOpen) return nullptr;
    if (auto old = fake.clipboard.find(format); old != fake.clipboard.end()) {
        fake.blocks.erase(old->second);
    }
    fake.clipboard[format] = block;
    ++fake.sequenceNumber;
    return block;
}

std::uint32_t GetClipboardSequenceNumber() {
    auto& fake = Fake();
    if (fake.Fails("GetClipboardSequenceNumber")) return 0;  // as without access to the clipboard
    return fake.sequenceNumber;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    auto& fake = Fake();
    fake.Log("IsClipboardFormatAvailable");
    return fake.clipboard.count(format) ? 1 : 0;
}

// The same number for a name in every fake, as the system keeps it for the session.
UINT RegisterClipboardFormatA(const char* name) {
    static std::map<std::string, UINT> registered;
    const auto [entry, added] = registered.try_emplace(name, static_cast<UINT>(0xC000 + registered.size()));
    return entry->second;
}

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    auto& fake = Fake();
    if (fake.Fails("GlobalAlloc")) return nullptr;
    fake.allocSizes.push_back(bytes);
    return fake.NewBlock(bytes, flags);
}

void* GlobalLock(HGLOBAL block) {
    auto& fake = Fake();
    if (fake.Fails("GlobalLock")) return nullptr;
    auto& found = fake.blocks.at(block);
    ++found.locks;
    return found.bytes.data();
}

BOOL GlobalUnlock(HGLOBAL block) {
    auto& fake = Fake();
    fake.Log("GlobalUnlock");
    auto& found = fake.blocks.at(block);
    if (found.locks > 0) --found.locks;
    return found.locks > 0;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    auto& fake = Fake();
    fake.Log("GlobalFree");
    fake.blocks.erase(block);
    return nullptr;
}

SIZE_T GlobalSize(HGLOBAL block) {
    auto& fake = Fake();
    fake.Log("GlobalSize");
    return fake.blocks.at(block).bytes.size();
}

int GetWindowTextLengthA(HWND window) {
    auto& fake = Fake();
    fake.Log("GetWindowTextLengthA");
    return static_cast<int>(fake.memos.at(window).text.size());
}

int GetWindowTextA(HWND window, char* buffer, int bufferSize) {
    auto& fake = Fake();
    fake.Log("GetWindowTextA");
    if (bufferSize <= 0) return 0;
    const auto& text = fake.memos.at(window).text;
    const auto copied = std::min(text.size(), static_cast<std::size_t>(bufferSize - 1));
    std::copy_n(text.data(), copied, buffer);
    buffer[copied] = '\0';
    return static_cast<int>(copied);
}

BOOL SetWindowTextA(HWND window, const char* text) {
    auto& fake = Fake();
    fake.Log("SetWindowTextA");
    fake.memos.at(window).text = text;
    return 1;
}

BOOL MoveWindow(HWND window, int left, int top, int width, int height, BOOL) {
    FakeMemo& memo = Fake().memos.at(window);
    memo = FakeMemo{memo.parent, left, top, width, height, memo.text};
    return 1;
}

std::int16_t GetAsyncKeyState(int virtualKey) {
    auto& fake = Fake();
    fake.Log("GetAsyncKeyState");
    return fake.heldKeys.count(virtualKey) ? std::int16_t(-32768) : std::int16_t(0);
}

HWND CreateMemoWindow(HWND parent, int left, int top, int width, int height) {
    auto& fake = Fake();
    if (fake.Fails("CreateMemoWindow")) return nullptr;
    const auto memo = fake.NewMemo("");
    fake.memos[memo] = FakeMemo{parent, left, top, width, height, ""};
    fake.memoOrder.push_back(memo);
    return memo;
}

}  // namespace win32
