#include "tests/win/test_window.h"

#include <cstring>
#include <stdexcept>

#include "app/application.h"

namespace {

TApplication application;

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
    if (!OpenClipboard(owner)) throw std::runtime_error("cannot open the clipboard");
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (!SetClipboardData(format, block)) GlobalFree(block);
    CloseClipboard();
}

std::string RawClipboard(UINT format) {
    if (!OpenClipboard(nullptr)) throw std::runtime_error("cannot open the clipboard");
    std::string bytes;
    if (HGLOBAL block = GetClipboardData(format)) {
        const auto* data = static_cast<const char*>(GlobalLock(block));
        if (data) bytes.assign(data, GlobalSize(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes;
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}
