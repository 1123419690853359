#pragma once
// One copy of the program per session. The first start holds a named mutex and marks its main
// window; a later start, whatever its file name or build, finds that window, asks it to show
// itself and ends. Both names are the program's own: the window classes are common ones.
#include <windows.h>

#include "base/scoped_handle.h"

// The window property that marks the running copy's main window.
inline constexpr char RunningCopyProperty[] = "Quavelin.RunningCopy";
// The registered message by which a later start asks that window to show itself.
inline constexpr char ShowRunningCopyMessage[] = "Quavelin.ShowRunningCopy";

inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }

// The session's one-copy lock, taken on construction and held while the object lives. "Local"
// names are the session's own, so other users' copies do not count.
class TSessionLock {
public:
    TSessionLock();
    // Another copy in this session holds the lock. A lock that cannot be made at all refuses
    // nothing: better two copies than none.
    bool HeldElsewhere() const { return heldElsewhere_; }

private:
    ScopedHandle<HANDLE, &CloseKernelHandle> mutex_;
    bool heldElsewhere_ = false;
};
// Asks the running copy to show its window, as a left click on its icon does, waiting up to
// timeoutMs for a copy that is still starting to mark its window.
void ShowRunningCopy(DWORD timeoutMs);
