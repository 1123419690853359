#include "ui/running_copy.h"

namespace {

constexpr char SessionLockName[] = "Local\\Quavelin.OneCopyPerSession";
constexpr DWORD SearchPauseMs = 100;

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

}  // namespace

TSessionLock::TSessionLock() : mutex_(CreateMutexA(nullptr, FALSE, SessionLockName)) {
    heldElsewhere_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

// The running copy may bring its window to the front: this start was the user's own act.
void ShowRunningCopy(DWORD timeoutMs) {
    const UINT showMessage = RegisterWindowMessageA(ShowRunningCopyMessage);
    const DWORD start = GetTickCount();
    for (HWND window = RunningCopyWindow(); showMessage != 0; window = RunningCopyWindow()) {
        if (window) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            AllowSetForegroundWindow(process);
            PostMessageA(window, showMessage, 0, 0);
            return;
        }
        if (GetTickCount() - start >= timeoutMs) return;
        Sleep(SearchPauseMs);
    }
}
