// The error display: every failure of a handler is shown in a box owned by the application
// window, modal for the whole program. At most one box is open at a time: a failure reported
// while one is open (say, on every tick while another program holds the clipboard) is dropped.
#include <windows.h>

#include <vector>

#include "framework/application.h"
#include "base/error_text.h"
#include "base/exceptions.h"

namespace {

std::string MessageOf(const std::exception& error) {
    if (const auto* own = dynamic_cast<const Exception*>(&error)) return own->Message();
    return error.what();
}

void MoveCentreTo(HWND window, const RECT& area) {
    SetWindowPos(window, nullptr, area.left + (area.right - area.left) / 2,
                 area.top + (area.bottom - area.top) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

// The thread's visible and enabled top-level windows, disabled while a box is open.
class DisabledThreadWindows {
public:
    DisabledThreadWindows() { EnumThreadWindows(GetCurrentThreadId(), &Disable, reinterpret_cast<LPARAM>(this)); }
    ~DisabledThreadWindows() {
        for (HWND window : disabled_) {
            if (IsWindow(window)) EnableWindow(window, TRUE);
        }
    }
    DisabledThreadWindows(const DisabledThreadWindows&) = delete;
    DisabledThreadWindows& operator=(const DisabledThreadWindows&) = delete;

private:
    static BOOL CALLBACK Disable(HWND window, LPARAM self) {
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            reinterpret_cast<DisabledThreadWindows*>(self)->disabled_.push_back(window);
        }
        return TRUE;
    }
    std::vector<HWND> disabled_;
};

}  // namespace

void TApplication::ReportError(const std::exception& error, TObject*) {
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    if (dynamic_cast<const EAbort*>(&error)) return;
    if (errorBoxOpen_) return;
    errorBoxOpen_ = true;
    struct BoxClosed {
        bool& open;
        ~BoxClosed() { open = false; }
    } closed{errorBoxOpen_};
    ShowErrorBox(error);
}

void TApplication::ShowErrorBox(const std::exception& error) {
    AppMessageBox(WithFullStop(MessageOf(error), &IsSystemLeadByte), AppTitle(), MB_OK | MB_ICONSTOP);
}

// The box's owner is moved onto the active window's monitor first, so the box appears there.
int TApplication::AppMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    HWND active = GetActiveWindow();
    RECT appRect{};
    const bool moved = MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST) !=
                       MonitorFromWindow(AppWindow, MONITOR_DEFAULTTONEAREST);
    if (moved) {
        GetWindowRect(AppWindow, &appRect);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST), &monitor);
        MoveCentreTo(AppWindow, monitor.rcMonitor);
    }
    int result;
    {
        DisabledThreadWindows disabled;
        result = MessageBoxA(AppWindow, text.c_str(), caption.c_str(), flags);
    }
    if (moved) MoveCentreTo(AppWindow, appRect);
    SetActiveWindow(active);
    return result;
}
