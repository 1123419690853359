#include "tests/host/fake_win32.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

void FakeWin32::PutClipboardBytes(const std::string& bytes) { PutClipboardFormat(win32::ClipboardFormatText, bytes); }

void FakeWin32::PutClipboardFormat(win32::UINT format, const std::string& bytes) {
    const auto block = NewBlock(bytes.size(), win32::MoveableSharedMemory);
    std::copy(bytes.begin(), bytes.end(), blocks[block].bytes.begin());
    if (auto old = clipboard.find(format); old != clipboard.end()) blocks.erase(old->second);
    clipboard[format] = block;
    putOrder.push_back(format);
    ++sequenceNumber;
}

void FakeWin32::AddClipboardFormat(const std::string& name, const std::string& bytes) {
    PutClipboardFormat(win32::RegisterClipboardFormatA(name.c_str()), bytes);
}

void FakeWin32::Empty() {
    for (const auto& [format, block] : clipboard) blocks.erase(block);
    clipboard.clear();
    ++sequenceNumber;
}

void FakeWin32::PutUnicodeCopy(const std::u16string& text, std::optional<win32::LCID> locale) {
    Empty();
    std::string wide(text.size() * 2 + 2, '\0');
    std::memcpy(wide.data(), text.data(), text.size() * 2);
    PutClipboardFormat(win32::ClipboardFormatUnicodeText, wide);
    if (locale) PutClipboardFormat(win32::ClipboardFormatLocale, LocaleBytes(*locale));
    std::string derived;  // what 1252 lacks is "?": here, all but ASCII
    for (const char16_t unit : text) derived += unit < 0x80 ? static_cast<char>(unit) : '?';
    PutClipboardFormat(win32::ClipboardFormatText, derived + '\0');
}

std::string LocaleBytes(win32::LCID locale) {
    std::string bytes(sizeof locale, '\0');
    std::memcpy(bytes.data(), &locale, sizeof locale);
    return bytes;
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
    const bool text = format == ClipboardFormatText || format == ClipboardFormatUnicodeText;
    if (text && fake.failedRenders > 0) {
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
    fake.putOrder.push_back(format);
    ++fake.sequenceNumber;
    return block;
}

// The formats still held, in the order they were last put.
UINT EnumClipboardFormats(UINT format) {
    auto& fake = Fake();
    fake.Log("EnumClipboardFormats");
    std::vector<UINT> order;
    for (const UINT put : fake.putOrder) {
        std::erase(order, put);
        if (fake.clipboard.count(put)) order.push_back(put);
    }
    const auto next = format == 0 ? order.begin() : std::find(order.begin(), order.end(), format) + 1;
    return next < order.end() ? *next : 0;
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

// A Japanese system: code page 932, locale 0x0411.
UINT GetACP() { return 932; }
LCID GetSystemDefaultLCID() { return 0x0411; }

// English (US) in 1252, Japanese in 932, Hindi with Unicode only.
int GetLocaleInfoA(LCID locale, std::uint32_t type, char* data, int size) {
    const std::map<LCID, std::uint32_t> codePages = {{0x0409, 1252}, {0x0411, 932}, {0x0439, 0}};
    if (type != LocaleAnsiCodePageNumber || size < 4 || !codePages.count(locale)) return 0;
    std::memcpy(data, &codePages.at(locale), 4);
    return 4;
}

// A toy of code page 932: ASCII, and "日本語" as 93 FA 96 7B 8C EA; any other character,
// a surrogate pair too, is "?".
int WideCharToMultiByte(UINT, std::uint32_t, const char16_t* wide, int wideCount, char* bytes, int byteCount,
                        const char*, BOOL*) {
    const std::map<char16_t, std::string> known = {
        {u'\u65E5', "\x93\xFA"}, {u'\u672C', "\x96\x7B"}, {u'\u8A9E', "\x8C\xEA"}};
    std::string converted;
    for (int index = 0; index < wideCount; ++index) {
        const char16_t unit = wide[index];
        index += (unit & 0xFC00) == 0xD800 && index + 1 < wideCount && (wide[index + 1] & 0xFC00) == 0xDC00;
        converted += unit < 0x80 ? std::string(1, static_cast<char>(unit)) : known.count(unit) ? known.at(unit) : "?";
    }
    if (byteCount > 0) std::memcpy(bytes, converted.data(), std::min(converted.size(), std::size_t(byteCount)));
    return static_cast<int>(converted.size());
}

std::uint32_t GetTickCount() { return Fake().tickCount; }

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

HWND CreateMemoWindow(HWND parent, int left, int top, int width, int height, const char*) {
    auto& fake = Fake();
    if (fake.Fails("CreateMemoWindow")) return nullptr;
    const auto memo = fake.NewMemo("");
    fake.memos[memo] = FakeMemo{parent, left, top, width, height, ""};
    fake.memoOrder.push_back(memo);
    return memo;
}

}  // namespace win32
