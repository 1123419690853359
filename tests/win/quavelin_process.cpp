#include "tests/win/quavelin_process.h"

#include <psapi.h>

#include <stdexcept>

#include "slots/clipboard.h"

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == wanted->processId && WindowClass(window) == wanted->className) {
        wanted->found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CountChild(HWND, LPARAM counted) {
    ++*reinterpret_cast<std::size_t*>(counted);
    return TRUE;
}

struct WindowCount {
    DWORD processId;
    std::size_t count;
};

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<WindowCount*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != wanted->processId) return TRUE;
    ++wanted->count;
    EnumChildWindows(window, &CountChild, reinterpret_cast<LPARAM>(&wanted->count));
    return TRUE;
}

BOOL CALLBACK CollectEdit(HWND window, LPARAM boxes) {
    if (lstrcmpiA(WindowClass(window).c_str(), "Edit") == 0) {
        reinterpret_cast<std::vector<HWND>*>(boxes)->push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK ReadBoxControl(HWND control, LPARAM view) {
    auto* box = reinterpret_cast<MessageBoxView*>(view);
    if (!IsWindowVisible(control)) return TRUE;
    const std::string kind = WindowClass(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (lstrcmpiA(kind.c_str(), "Button") == 0) {
        box->Buttons.push_back(WindowText(control));
    } else if (lstrcmpiA(kind.c_str(), "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
        box->HasIcon = SendMessageA(control, STM_GETICON, 0, 0) != 0;
    } else if (lstrcmpiA(kind.c_str(), "Static") == 0 && GetDlgCtrlID(control) == 0xFFFF) {
        box->Text = WindowText(control);
        wchar_t wide[1024] = {};
        GetWindowTextW(control, wide, 1024);
        box->WideText = wide;
    }
    return TRUE;
}

// The test build's failure switch goes into the child's environment only.
HANDLE Start(const QuavelinStart& start) {
    const std::string failureSwitch = start.FailingCall ? std::string("QUAVELIN_FAIL=") + start.FailingCall : "";
    return StartTestProgram(start.Program, "", start.ShowMode, failureSwitch);
}

}  // namespace

QuavelinProcess::QuavelinProcess(const QuavelinStart& start) : process_(Start(start)) {
    if (!process_) throw std::runtime_error("cannot start " + start.Program);
}

QuavelinProcess::~QuavelinProcess() {
    if (WaitForExit(0) == STILL_ACTIVE) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 10000);
    }
    CloseHandle(process_);
}

HWND QuavelinProcess::WaitForWindow(const char* className, DWORD timeoutMs) const {
    std::vector<HWND> found;
    WaitUntil([&] { return !(found = Windows(className)).empty(); }, timeoutMs);
    return found.empty() ? nullptr : found.front();
}

bool QuavelinProcess::AnswerClipboardErrorBoxes(DWORD timeoutMs) const {
    const std::string clipboardError = CannotOpenClipboardMessage + std::string(".");
    return WaitUntil([&] {
        bool left = false;
        for (HWND box : Windows("#32770")) {
            if (ViewMessageBox(box).Text != clipboardError) continue;
            PressOk(box);
            left = true;
        }
        return !left;
    }, timeoutMs);
}

bool QuavelinProcess::WaitUntilIdle(DWORD timeoutMs) const {
    return WaitForInputIdle(process_, timeoutMs) == 0;
}

// The commit charge, which is the private memory; Wine leaves PrivateUsage at 0.
SIZE_T QuavelinProcess::PrivateBytes() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process_, &counters, sizeof counters);
    return counters.PagefileUsage;
}

QuavelinProcess::HeldObjects QuavelinProcess::Held() const {
    HeldObjects held;
    held.Gdi = GetGuiResources(process_, GR_GDIOBJECTS);
    held.User = GetGuiResources(process_, GR_USEROBJECTS);
    GetProcessHandleCount(process_, &held.Handles);
    WindowCount windows{GetProcessId(process_), 0};
    EnumWindows(&CountWindowAndChildren, reinterpret_cast<LPARAM>(&windows));
    held.Windows = windows.count;
    return held;
}

bool QuavelinProcess::Busy(HWND window) const {
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 50, nullptr) == 0;
}

bool QuavelinProcess::Is32Bit() const {
    BOOL emulated = FALSE;
    return sizeof(void*) == 4 || (IsWow64Process(process_, &emulated) && emulated);
}

std::vector<HWND> QuavelinProcess::Windows(const char* className) const {
    WindowSearch search{GetProcessId(process_), className, {}};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
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

MessageBoxView ViewMessageBox(HWND box) {
    MessageBoxView view;
    view.Caption = WindowText(box);
    EnumChildWindows(box, &ReadBoxControl, reinterpret_cast<LPARAM>(&view));
    return view;
}

void PressOk(HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

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

std::string ClipboardText() {
    std::string text = RawClipboard(CF_TEXT);
    return text.substr(0, text.find('\0'));
}

void SendKeys(std::initializer_list<WORD> keys, bool down) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        if (down) {
            inputs.push_back(input);
        } else {
            inputs.insert(inputs.begin(), input);
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
