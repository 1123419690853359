#include "tests/win/tray.h"

#include <shellapi.h>

#include "tests/win/test_window.h"

namespace {

NOTIFYICONDATAA IconOf(HWND window) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = 1;
    return record;
}

// Under Wine without a tray on the display, the shell draws the icons in a window of its own:
// "Wine System Tray" under Wine 8; under Wine 10 the taskbar's own window, untitled, shown with
// the first icon. The first icon sits at the top left of either's client area.
HWND NotificationArea() {
    if (HWND standalone = FindWindowA(nullptr, "Wine System Tray")) return standalone;
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    return IsWindowVisible(taskbar) ? taskbar : nullptr;
}

// Two clicks on one spot within the double-click time make a double click, which gives an edit
// box no focus: a click waits until that time has passed since the one before.
void WaitOutTheDoubleClickTime() {
    static DWORD lastClick = GetTickCount() - GetDoubleClickTime();
    const DWORD since = GetTickCount() - lastClick;
    if (since < GetDoubleClickTime()) PumpMessagesFor(GetDoubleClickTime() - since + 50);
    lastClick = GetTickCount();
}

void ClickAt(POINT point, bool rightButton) {
    WaitOutTheDoubleClickTime();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3]{};
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dx = MulDiv(point.x, 65535, width - 1);
    inputs[0].mi.dy = MulDiv(point.y, 65535, height - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(1, &inputs[0], sizeof(INPUT));
    Sleep(100);
    SendInput(2, &inputs[1], sizeof(INPUT));
}

}  // namespace

bool TrayIconRegistered(HWND window) {
    NOTIFYICONDATAA record = IconOf(window);
    return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

void ForgetTrayIcon(HWND window) {
    NOTIFYICONDATAA record = IconOf(window);
    Shell_NotifyIconA(NIM_DELETE, &record);
}

bool ClickFirstTrayIcon(bool rightButton) {
    HWND area = NotificationArea();
    if (!area) return false;
    POINT centre{GetSystemMetrics(SM_CXSMICON) / 2 + 2, GetSystemMetrics(SM_CYSMICON) / 2 + 2};
    ClientToScreen(area, &centre);
    ClickAt(centre, rightButton);
    return true;
}

void ClickWindow(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    ClickAt({(area.left + area.right) / 2, (area.top + area.bottom) / 2}, false);
}
