#pragma once
// The real Quavelin.exe, started beside the test program and found by its windows. The process
// is ended on destruction if a test left it running.
#include <windows.h>

#include <string>
#include <vector>

class QuavelinProcess {
public:
    QuavelinProcess();
    ~QuavelinProcess();
    QuavelinProcess(const QuavelinProcess&) = delete;
    QuavelinProcess& operator=(const QuavelinProcess&) = delete;

    // The first top-level window of the process with this class, waited for up to timeoutMs.
    HWND WaitForWindow(const char* className, DWORD timeoutMs) const;
    // The main window's edit boxes in creation order: NowClip, slots 1 to 9, slot 0.
    std::vector<HWND> EditBoxes(HWND mainWindow) const;
    // The exit code, or STILL_ACTIVE if the process did not end within timeoutMs.
    DWORD WaitForExit(DWORD timeoutMs) const;

private:
    HANDLE process_ = nullptr;
};

std::string WindowText(HWND window);
std::string WindowClass(HWND window);
// Polls until predicate holds or timeoutMs passes; returns whether it held.
template <typename Predicate>
bool WaitUntil(Predicate predicate, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!predicate()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}
