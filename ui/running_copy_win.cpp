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

// The running copy may bring its window to the front: this start was the user's own act.
void AskToShow(HWND window, UINT showMessage) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    PostMessageA(window, showMessage, 0, 0);
}

}  // namespace

TSessionLock::TSessionLock() : mutex_(CreateMutexA(nullptr, FALSE, SessionLockName)) {
    owned_ = !mutex_ || TakeWithin(0);
}

// A copy that ended without letting go (killed, say) leaves the lock abandoned, and free.
bool TSessionLock::TakeWithin(DWORD timeoutMs) {
    const DWORD result = WaitForSingleObject(mutex_.Get(), timeoutMs);
    owned_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return owned_;
}

bool HandOverToRunningCopy(TSessionLock& lock, DWORD timeoutMs) {
    const UINT showMessage = RegisterWindowMessageA(ShowRunningCopyMessage);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (HWND window = RunningCopyWindow(); window && showMessage != 0) {
            AskToShow(window, showMessage);
            return true;
        }
        if (lock.TakeWithin(SearchPauseMs)) return false;
    }
    return true;
}
