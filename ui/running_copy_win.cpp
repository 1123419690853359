#include "ui/running_copy.h"

#include "framework/user32_function.h"

namespace {

constexpr DWORD SearchPauseMs = 100;
// How long a start waits for the running copy's answer: a busy copy answers within it, a hung
// one no longer holds the start.
constexpr UINT AnswerTimeoutMs = 5000;
// MSGFLT_ALLOW of ChangeWindowMessageFilterEx, MSGFLT_ADD of ChangeWindowMessageFilter.
constexpr DWORD AllowMessage = 1;

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM found) {
    if (!GetPropA(window, RunningCopyProperty)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND RunningCopyWindow() {
    HWND found = nullptr;
    EnumWindows(&FindMarkedWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The running copy may bring its window to the front: this start was the user's own act. True
// once the copy has answered that it has shown itself.
bool AskToShow(HWND window, UINT showMessage) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutA(window, showMessage, 0, 0, SMTO_ABORTIFHUNG, AnswerTimeoutMs, &answer);
    return sent != 0 && answer == static_cast<DWORD_PTR>(RunningCopyShown);
}

}  // namespace

TSessionLock::TSessionLock() { owned_ = TakeWithin(0); }

// A copy that ended without letting go (killed, say) leaves the lock abandoned, and free. A lock
// that this start cannot open is made again after the wait: once its copy has ended, the name
// is free.
bool TSessionLock::TakeWithin(DWORD timeoutMs) {
    if (!mutex_) {
        HANDLE made = CreateMutexA(nullptr, FALSE, SessionLockName);
        const bool denied = !made && GetLastError() == ERROR_ACCESS_DENIED;
        mutex_ = TKernelHandle(made);
        if (!mutex_) {
            if (denied) Sleep(timeoutMs);
            return owned_ = !denied;
        }
    }
    const DWORD result = WaitForSingleObject(mutex_.Get(), timeoutMs);
    owned_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return owned_;
}

// A copy that refuses is closing: the search goes on until it has freed the lock.
THandOver HandOverToRunningCopy(TSessionLock& lock, DWORD timeoutMs) {
    const UINT showMessage = RegisterWindowMessageA(ShowRunningCopyMessage);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND window = RunningCopyWindow();
        if (window && showMessage != 0 && AskToShow(window, showMessage)) return THandOver::Done;
        if (lock.TakeWithin(SearchPauseMs)) return THandOver::RunHere;
    }
    return THandOver::NoAnswer;
}

// Windows 7 and later filter per window; Vista only for the whole process.
void LetInFromLowerIntegrity(HWND window, UINT message) {
    using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
    if (auto perWindow = User32Function<PerWindow>("ChangeWindowMessageFilterEx")) {
        perWindow(window, message, AllowMessage, nullptr);
    } else if (auto perProcess = User32Function<PerProcess>("ChangeWindowMessageFilter")) {
        perProcess(message, AllowMessage);
    }
}
