#pragma once
// The notification-area icon that stands for the hidden main window: its record, in the
// record's second form so that the icon can be given a version, and the rules that never ask
// the desktop shell twice.
#include <windows.h>
#include <shellapi.h>

// WM_USER + 100: the desktop shell reports what the mouse did over the icon with it.
inline constexpr UINT WM_TRAYNOTIFY = 1124;

class TTrayIcon {
public:
    using ShellNotify = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
    explicit TTrayIcon(ShellNotify notify = &Shell_NotifyIconA) : notify_(notify) {}

    // Wants the icon and registers it unless it is registered. It counts as registered only
    // once the shell has accepted it: at log-on the notification area may not answer yet.
    void AddTrayIcon(HWND window, HICON icon);
    // Removes the icon if it is registered; it is no longer wanted either way.
    void RemoveTrayIcon(HWND window);
    // Asks once more for an icon that is wanted but was refused. An add that timed out may
    // still have been registered, so the shell is first asked whether it knows the icon.
    void AddIfRefused();
    // Registers the wanted icon again with the same record: the desktop shell has re-created
    // its taskbar and forgotten it.
    void AddAgainAfterShellRestart();

    bool TrayIconShown = false;   // the shell holds the icon
    bool TrayIconWanted = false;  // the window is hidden behind the icon
    NOTIFYICONDATAA TrayIconData{};

private:
    void Register(DWORD message);

    ShellNotify notify_;
};
