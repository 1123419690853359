#include "tests/win/test_window.h"

#include <cstring>
#include <stdexcept>

#include "app/application.h"

namespace {

TApplication application;

// Another program (Quavelin itself) may hold the clipboard for a moment: retry for up to 5 s.
void OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < 250; ++attempt) {
        if (OpenClipboard(owner)) return;
        Sleep(20);
    }
    throw std::runtime_error("cannot open the clipboard");
}

}  // namespace

TestApplication::TestApplication() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QuavelinTestOwner";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "QuavelinTestOwner", "owner", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window_) throw std::runtime_error("cannot create the test owner window");
    application.AppWindow = window_;
    Application = &application;
}

TestApplication::~TestApplication() {
    Application = nullptr;
    application.AppWindow = nullptr;
    DestroyWindow(window_);
}

void PutRawClipboard(UINT format, const std::string& bytes, HWND owner) {
    OpenClipboardPatiently(owner);
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (!SetClipboardData(format, block)) GlobalFree(block);
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

HANDLE StartProgramBeside(const char* programName, const std::string& arguments) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command = "\"";
    command += std::string(path).substr(0, std::string(path).find_last_of('\\') + 1);
    command += programName;
    command += "\" ";
    command += arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}
