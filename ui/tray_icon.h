#pragma once
// The notification-area icon that stands for the hidden main window: its record, in the
// record's first form, and the rules that never ask the desktop shell twice.
#include <windows.h>
#include <shellapi.h>

// WM_USER + 100: the desktop shell reports what the mouse did over the icon with it.
inline constexpr UINT WM_TRAYNOTIFY = 1124;

class TTrayIcon {
public:
    using ShellNotify = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
    explicit TTrayIcon(ShellNotify notify = &Shell_NotifyIconA) : notify_(notify) {}

    // Registers the icon unless it is registered; the shell's answer is not looked at.
    void AddTrayIcon(HWND window, HICON icon);
    // Removes the icon if it is registered.
    void RemoveTrayIcon(HWND window);
    // Registers the icon again with the same record, if it is registered: the desktop shell
    // has re-created its taskbar and forgotten it.
    void AddAgainAfterShellRestart();

    bool TrayIconShown = false;
    NOTIFYICONDATAA TrayIconData{};

private:
    ShellNotify notify_;
};
