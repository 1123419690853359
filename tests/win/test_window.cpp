#include "tests/win/test_window.h"

#include <cstring>
#include <stdexcept>

namespace {

// Another program (Quavelin itself) may hold the clipboard for a moment: retry for up to 5 s.
void OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < 250; ++attempt) {
        if (OpenClipboard(owner)) return;
        PumpMessagesFor(20);
    }
    throw std::runtime_error("cannot open the clipboard");
}

}  // namespace

std::array<LONG, 4> PlaceOf(HWND control) {
    RECT area{};
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&area), 2);
    return {area.left, area.top, area.right, area.bottom};
}

std::vector<LONG> LayoutOf(HWND mainWindow) {
    RECT outer{}, client{};
    GetWindowRect(mainWindow, &outer);
    GetClientRect(mainWindow, &client);
    std::vector<LONG> layout{outer.left, outer.top, client.right, client.bottom};
    const HWND firstChild = GetWindow(mainWindow, GW_CHILD);
    for (HWND control : {FindWindowExA(mainWindow, nullptr, "Button", "Mini"), firstChild,
                         GetWindow(firstChild, GW_HWNDLAST)}) {
        const std::array<LONG, 4> place = PlaceOf(control);
        layout.insert(layout.end(), place.begin(), place.end());
    }
    return layout;
}

void PumpMessagesFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    } while (true);
}

TestApplication::TestApplication() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QuavelinTestOwner";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "QuavelinTestOwner", "owner", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window_) throw std::runtime_error("cannot create the test owner window");
}

TestApplication::~TestApplication() { DestroyWindow(window_); }

HGLOBAL BlockOf(const std::string& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

void PutRawClipboard(UINT format, const std::string& bytes, HWND owner) { PutRawClipboard({{format, bytes}}, owner); }

void PutRawClipboard(std::initializer_list<std::pair<UINT, std::string>> blocks, HWND owner) {
    OpenClipboardPatiently(owner);
    EmptyClipboard();
    for (const auto& [format, bytes] : blocks) {
        HGLOBAL block = BlockOf(bytes);
        if (!SetClipboardData(format, block)) GlobalFree(block);
    }
    CloseClipboard();
}

void EmptyTheClipboard(HWND owner) {
    OpenClipboardPatiently(owner);
    EmptyClipboard();
    CloseClipboard();
}

std::string RawClipboard(UINT format) {
    OpenClipboardPatiently(nullptr);
    std::string bytes;
    if (HGLOBAL block = GetClipboardData(format)) {
        const auto* data = static_cast<const char*>(GlobalLock(block));
        if (data) bytes.assign(data, GlobalSize(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes;
}

std::string TestProgramsFolder() {
    char folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("QUAVELIN_TEST_PROGRAMS", folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return std::string(folder).append(1, '\\');
    GetModuleFileNameA(nullptr, folder, MAX_PATH);
    const std::string own(folder);
    return own.substr(0, own.find_last_of('\\') + 1);
}

namespace {

// This process's environment block with one more variable at its end.
std::string EnvironmentWith(const std::string& extraVariable) {
    std::string block;
    if (char* strings = GetEnvironmentStringsA()) {
        for (const char* entry = strings; *entry; entry += std::strlen(entry) + 1) {
            block.append(entry).append(1, '\0');
        }
        FreeEnvironmentStringsA(strings);
    }
    block.append(extraVariable).append(1, '\0');
    return block;
}

}  // namespace

HANDLE StartTestProgram(const std::string& program, const std::string& arguments, WORD showMode,
                        const std::string& extraVariable) {
    // Built step by step: GCC 12 warns falsely on one long concatenation.
    std::string command = "\"";
    command += TestProgramsFolder();
    command += program;
    command += "\" ";
    command += arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (showMode != UseDefaultShowMode) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = showMode;
    }
    std::string environment = extraVariable.empty() ? "" : EnvironmentWith(extraVariable);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                        environment.empty() ? nullptr : environment.data(), nullptr, &startup, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

std::string WineVersion() {
    using Version = const char*(CDECL*)();
    const auto version = reinterpret_cast<Version>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    return version ? version() : "";
}

bool LargeBoxesAnswerOtherProcesses() {
    const std::string wine = WineVersion();
    return wine.empty() || std::stoi(wine) < 10;
}
