#include "framework/error_display.h"

#include <vector>

#include "base/error_text.h"
#include "base/exceptions.h"
#include "base/mbcs.h"
#include "base/scope_exit.h"
#include "framework/message_box.h"

namespace {

// Every message is the program's own text: its errors' Shift-JIS, or the runtime's ASCII.
std::string MessageOf(const std::exception& error) {
    if (const auto* own = dynamic_cast<const Exception*>(&error)) return own->Message();
    return error.what();
}

// The title, taken from the executable's name, is the system's text.
TCodedText CaptionOf(HWND window) {
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    return SystemText(caption);
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

// Keeps a window on the centre of another monitor while a box is open, then puts it back.
class CentredOnMonitorOf {
public:
    CentredOnMonitorOf(HWND window, HWND active) : window_(window) {
        HMONITOR monitor = MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST);
        if (monitor == MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)) return;
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoA(monitor, &info);
        GetWindowRect(window, &original_);
        moved_ = true;
        MoveCentreTo(window, info.rcMonitor);
    }
    ~CentredOnMonitorOf() {
        if (moved_) MoveCentreTo(window_, original_);
    }
    CentredOnMonitorOf(const CentredOnMonitorOf&) = delete;
    CentredOnMonitorOf& operator=(const CentredOnMonitorOf&) = delete;

private:
    HWND window_;
    RECT original_{};
    bool moved_ = false;
};

}  // namespace

void TErrorDisplay::ReportError(const std::exception& error, TObject*) {
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    if (dynamic_cast<const EAbort*>(&error)) return;
    if (boxOpen_) return;
    boxOpen_ = true;
    const ScopeExit boxClosed([this] { boxOpen_ = false; });
    ShowErrorBox(error);
}

void TErrorDisplay::ShowErrorBox(const std::exception& error) {
    AppMessageBox(OwnText(WithFullStop(MessageOf(error), &IsShiftJisLeadByte)), CaptionOf(owner_),
                  MB_OK | MB_ICONSTOP);
}

int TErrorDisplay::AppMessageBox(const TCodedText& text, const TCodedText& caption, unsigned flags) {
    HWND active = GetActiveWindow();
    int result;
    {
        CentredOnMonitorOf onActiveMonitor(owner_, active);
        DisabledThreadWindows disabled;
        result = CodedMessageBox(owner_, text, caption, flags);
    }
    SetActiveWindow(active);
    return result;
}
