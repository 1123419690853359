#pragma once
// The real Quavelin.exe, started from the test programs' folder and found by its windows. The
// process is ended on destruction if a test left it running.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/win/test_window.h"

// Generous: a 32-bit program may take a minute to start where 32-bit code is emulated. Every
// wait stays well below the time that ctest gives the whole test program.
inline constexpr DWORD StartTimeoutMs = 120000;
// Anything the running program does within a few ticks.
inline constexpr DWORD TickTimeoutMs = 5000;
// Taking in or recalling a text of several megabytes, which the edit boxes lay out line by line.
inline constexpr DWORD LargeTextTimeoutMs = 90000;

struct QuavelinStart {
    std::string Program = "Quavelin.exe";
    WORD ShowMode = UseDefaultShowMode;
    // The start-up call that the test build is to fail, if any.
    const char* FailingCall = nullptr;
};

class QuavelinProcess {
public:
    explicit QuavelinProcess(const QuavelinStart& start = {});
    ~QuavelinProcess();
    QuavelinProcess(const QuavelinProcess&) = delete;
    QuavelinProcess& operator=(const QuavelinProcess&) = delete;

    // The first top-level window of the process with this class, waited for up to timeoutMs.
    HWND WaitForWindow(const char* className, DWORD timeoutMs) const;
    // Every top-level window of the process with this class.
    std::vector<HWND> Windows(const char* className) const;
    // The main window's edit boxes in creation order: NowClip, slots 1 to 9, slot 0.
    std::vector<HWND> EditBoxes(HWND mainWindow) const;
    // Presses OK on the process's error boxes that say the clipboard could not be opened, until
    // none is left or timeoutMs passes. Returns whether none is left.
    bool AnswerClipboardErrorBoxes(DWORD timeoutMs) const;
    // Waits until the process waits for input in its message loop: start-up is over.
    bool WaitUntilIdle(DWORD timeoutMs) const;
    bool Is32Bit() const;
    HANDLE Handle() const { return process_; }
    // The process's private memory in bytes.
    SIZE_T PrivateBytes() const;
    // What the process holds of the system's objects. Wine reports no GDI or USER objects and
    // no handle count for another process, so there the windows are what can be counted.
    struct HeldObjects {
        DWORD Gdi = 0;
        DWORD User = 0;
        DWORD Handles = 0;
        std::size_t Windows = 0;
    };
    HeldObjects Held() const;
    // Whether the process's thread is busy in a handler, rather than waiting for messages.
    bool Busy(HWND window) const;
    // The exit code, or STILL_ACTIVE if the process did not end within timeoutMs.
    DWORD WaitForExit(DWORD timeoutMs) const;

private:
    HANDLE process_ = nullptr;
};

// What a message box shows.
struct MessageBoxView {
    std::string Caption;
    std::string Text;
    std::wstring WideText;  // as the Unicode API reads it: what the user sees on any code page
    bool HasIcon = false;
    std::vector<std::string> Buttons;
};
MessageBoxView ViewMessageBox(HWND box);
// Presses the box's OK button.
void PressOk(HWND box);

std::string WindowText(HWND window);
std::string WindowClass(HWND window);
// The text on the clipboard up to its first NUL.
std::string ClipboardText();

// Polls until predicate holds or timeoutMs passes; returns whether it held.
template <typename Predicate>
bool WaitUntil(Predicate predicate, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!predicate()) {
        if (GetTickCount() - start > timeoutMs) return false;
        PumpMessagesFor(20);
    }
    return true;
}

// Presses the keys in the order given, or lets them go in reverse order.
void SendKeys(std::initializer_list<WORD> keys, bool down);

// Holds the keys down, in the order given, until predicate holds or timeoutMs passes, then lets
// them go in reverse order. The presses repeat while the keys are held, as a keyboard's
// auto-repeat does. Returns whether it held.
template <typename Predicate>
bool HoldKeysUntil(std::initializer_list<WORD> keys, Predicate predicate, DWORD timeoutMs) {
    const bool held = WaitUntil([&] {
        SendKeys(keys, true);
        return predicate();
    }, timeoutMs);
    SendKeys(keys, false);
    return held;
}
