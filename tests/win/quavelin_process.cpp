#include "tests/win/quavelin_process.h"

#include <stdexcept>

#include "tests/win/test_window.h"

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != wanted->processId || WindowClass(window) != wanted->className) return TRUE;
    wanted->found = window;
    return FALSE;
}

BOOL CALLBACK CollectEdit(HWND window, LPARAM boxes) {
    if (lstrcmpiA(WindowClass(window).c_str(), "Edit") == 0) {
        reinterpret_cast<std::vector<HWND>*>(boxes)->push_back(window);
    }
    return TRUE;
}

}  // namespace

QuavelinProcess::QuavelinProcess() : process_(StartProgramBeside("Quavelin.exe", "")) {
    if (!process_) throw std::runtime_error("cannot start Quavelin.exe");
}

QuavelinProcess::~QuavelinProcess() {
    if (WaitForExit(0) == STILL_ACTIVE) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 10000);
    }
    CloseHandle(process_);
}

HWND QuavelinProcess::WaitForWindow(const char* className, DWORD timeoutMs) const {
    WindowSearch search{GetProcessId(process_), className, nullptr};
    WaitUntil([&] {
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeoutMs);
    return search.found;
}

std::vector<HWND> QuavelinProcess::EditBoxes(HWND mainWindow) const {
    std::vector<HWND> boxes;
    EnumChildWindows(mainWindow, &CollectEdit, reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

DWORD QuavelinProcess::WaitForExit(DWORD timeoutMs) const {
    WaitForSingleObject(process_, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return code;
}

std::string WindowText(HWND window) {
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::string WindowClass(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}
