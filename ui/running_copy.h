#pragma once
// One copy of the program per session. The first start owns a named mutex and marks its main
// window; a later start, whatever its file name or build, finds that window, asks it to show
// itself and ends once it has. All three names are the program's own: the window classes are
// common ones.
#include <windows.h>

#include "base/scoped_handle.h"

// The session's one-copy lock. "Local" names are the session's own, so other users' copies do
// not count.
inline constexpr char SessionLockName[] = "Local\\Quavelin.OneCopyPerSession";
// The window property that marks the running copy's main window.
inline constexpr char RunningCopyProperty[] = "Quavelin.RunningCopy";
// The registered message by which a later start asks that window to show itself. The window
// answers RunningCopyShown once it has, and 0 while it is closing.
inline constexpr char ShowRunningCopyMessage[] = "Quavelin.ShowRunningCopy";
inline constexpr LRESULT RunningCopyShown = 0x5156;

// Shift-JIS: "すでに起動しているプログラムが応答しません" (the program already running does not answer)
inline constexpr char RunningCopyDoesNotAnswerMessage[] =
    "\x82\xB7\x82\xC5\x82\xC9\x8B\x4E\x93\xAE\x82\xB5\x82\xC4\x82\xA2\x82\xE9\x83\x76\x83\x8D"
    "\x83\x4F\x83\x89\x83\x80\x82\xAA\x89\x9E\x93\x9A\x82\xB5\x82\xDC\x82\xB9\x82\xF1";

inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
using TKernelHandle = ScopedHandle<HANDLE, &CloseKernelHandle>;

// The one-copy lock: a mutex that the running copy owns until it ends. A copy running as
// administrator makes it for administrators only; a normal start cannot open it then, and counts
// it as taken.
class TSessionLock {
public:
    // Takes the lock if no other copy owns it.
    TSessionLock();
    // This copy owns the lock. A lock that cannot be made for any other reason than access
    // refuses nothing: better two copies than none.
    bool Owned() const { return owned_; }
    // Waits up to timeoutMs for the copy that owns the lock to end, and then takes it.
    bool TakeWithin(DWORD timeoutMs);

private:
    TKernelHandle mutex_;
    bool owned_ = false;
};

enum class THandOver {
    // The running copy has shown its window: this start ends.
    Done,
    // The copy has ended, or was ending and refused, and this start owns the lock: it runs.
    RunHere,
    // No copy answered within the wait.
    NoAnswer,
};

// Asks the running copy to show its window, as a left click on its icon does, and waits for its
// answer; a hung copy holds the start for a few seconds at most. A copy that is still starting
// is given up to timeoutMs to mark its window; a copy that is ending frees the lock instead,
// which this start then owns.
THandOver HandOverToRunningCopy(TSessionLock& lock, DWORD timeoutMs);

// Lets message through to window from programs of a lower integrity level, as a start that is
// not elevated is to an elevated copy. Vista can let it in only for the whole process; Windows
// XP has no integrity levels.
void LetInFromLowerIntegrity(HWND window, UINT message);
