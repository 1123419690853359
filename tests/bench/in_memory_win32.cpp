// A lean in-memory binding of the seam for the benchmarks: one clipboard, memory blocks and
// text boxes, with none of the test fake's call log, so that a tick costs what the logic costs.
#include "tests/bench/in_memory_win32.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Block {
    std::vector<char> bytes;
};

struct Memory {
    std::map<win32::HGLOBAL, std::unique_ptr<Block>> blocks;
    win32::HGLOBAL clipboardText = nullptr;
    std::uint32_t sequenceNumber = 1;
    std::map<win32::HWND, std::string> boxes;
    int nextBox = 1;
};

Memory& State() {
    static Memory memory;
    return memory;
}

}  // namespace

void PutClipboardText(const std::string& text) {
    auto block = std::make_unique<Block>();
    block->bytes.assign(text.begin(), text.end());
    block->bytes.push_back('\0');
    if (State().clipboardText) State().blocks.erase(State().clipboardText);
    State().clipboardText = block.get();
    State().blocks[block.get()] = std::move(block);
    ++State().sequenceNumber;
}

namespace win32 {

BOOL OpenClipboard(HWND) { return 1; }
BOOL CloseClipboard() { return 1; }
BOOL EmptyClipboard() {
    if (State().clipboardText) State().blocks.erase(State().clipboardText);
    State().clipboardText = nullptr;
    ++State().sequenceNumber;
    return 1;
}
HGLOBAL GetClipboardData(UINT) { return State().clipboardText; }
// Only the text is kept; any other block is taken and dropped.
HGLOBAL SetClipboardData(UINT format, HGLOBAL block) {
    ++State().sequenceNumber;
    if (format != ClipboardFormatText) return State().blocks.erase(block) ? block : nullptr;
    return State().clipboardText = block;
}
std::uint32_t GetClipboardSequenceNumber() { return State().sequenceNumber; }
// Only text is ever on this clipboard: no secret markers.
BOOL IsClipboardFormatAvailable(UINT format) { return format == ClipboardFormatText && State().clipboardText; }
UINT RegisterClipboardFormatA(const char*) { return 0xC000; }
UINT EnumClipboardFormats(UINT format) { return format == 0 && State().clipboardText ? ClipboardFormatText : 0; }

HGLOBAL GlobalAlloc(UINT, SIZE_T bytes) {
    auto block = std::make_unique<Block>();
    block->bytes.resize(bytes);
    HGLOBAL handle = block.get();
    State().blocks[handle] = std::move(block);
    return handle;
}
void* GlobalLock(HGLOBAL block) { return State().blocks.at(block)->bytes.data(); }
BOOL GlobalUnlock(HGLOBAL) { return 1; }
HGLOBAL GlobalFree(HGLOBAL block) {
    State().blocks.erase(block);
    return nullptr;
}
SIZE_T GlobalSize(HGLOBAL block) { return State().blocks.at(block)->bytes.size(); }

UINT GetACP() { return 932; }
LCID GetSystemDefaultLCID() { return 0x0411; }
int GetLocaleInfoA(LCID, std::uint32_t, char*, int) { return 0; }
int WideCharToMultiByte(UINT, std::uint32_t, const char16_t*, int, char*, int, const char*, BOOL*) { return 0; }
std::uint32_t GetTickCount() { return 0; }

int GetWindowTextLengthA(HWND window) { return static_cast<int>(State().boxes[window].size()); }
int GetWindowTextA(HWND window, char* buffer, int bufferSize) {
    const std::string& text = State().boxes[window];
    const int copied = std::min(static_cast<int>(text.size()), bufferSize - 1);
    std::memcpy(buffer, text.data(), static_cast<std::size_t>(copied));
    buffer[copied] = '\0';
    return copied;
}
BOOL SetWindowTextA(HWND window, const char* text) {
    State().boxes[window] = text;
    return 1;
}
BOOL MoveWindow(HWND, int, int, int, int, BOOL) { return 1; }
std::int16_t GetAsyncKeyState(int) { return 0; }

HWND CreateMemoWindow(HWND, int, int, int, int, const char*) {
    HWND box = reinterpret_cast<HWND>(static_cast<std::intptr_t>(State().nextBox++));
    State().boxes[box];
    return box;
}

}  // namespace win32
