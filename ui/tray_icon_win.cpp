#include "ui/tray_icon.h"

#include <cstring>

namespace {

constexpr UINT TrayIconId = 1;

// The record's second form, the first that carries a version. An icon without a version gets a
// right press from the shell when the user picks it from the keyboard, and a right press ends
// the program.
constexpr DWORD SecondFormSize = NOTIFYICONDATAA_V2_SIZE;

// The tip, all 64 bytes of it copied; the rest of the second form's longer tip stays zero.
constexpr char TipText[64] = "Tasktary...";

}  // namespace

void TTrayIcon::AddTrayIcon(HWND window, HICON icon) {
    TrayIconWanted = true;
    if (TrayIconShown) return;
    TrayIconData.cbSize = SecondFormSize;
    TrayIconData.hWnd = window;
    TrayIconData.uID = TrayIconId;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = WM_TRAYNOTIFY;
    TrayIconData.hIcon = icon;
    static_assert(sizeof TrayIconData.szTip >= sizeof TipText);
    std::memcpy(TrayIconData.szTip, TipText, sizeof TipText);
    TrayIconData.uVersion = NOTIFYICON_VERSION;
    Register(NIM_ADD);
}

// Only the fields that name the icon are refreshed; the rest keep the values of the last add.
void TTrayIcon::RemoveTrayIcon(HWND window) {
    TrayIconWanted = false;
    if (!TrayIconShown) return;
    TrayIconData.cbSize = SecondFormSize;
    TrayIconData.hWnd = window;
    TrayIconData.uID = TrayIconId;
    notify_(NIM_DELETE, &TrayIconData);
    TrayIconShown = false;
}

void TTrayIcon::AddIfRefused() {
    if (!TrayIconWanted || TrayIconShown) return;
    Register(NIM_MODIFY);
    if (TrayIconWanted && !TrayIconShown) Register(NIM_ADD);
}

void TTrayIcon::AddAgainAfterShellRestart() {
    if (!TrayIconWanted) return;
    TrayIconShown = false;
    Register(NIM_ADD);
}

// The shell forgets an icon's version with the icon, so every icon it takes is given one again:
// picked from the keyboard, it then reports a selection instead of a right press. While a call
// waits for the shell, the icon's own messages come in: a press may show the window, which then
// wants no icon, before the call has returned.
void TTrayIcon::Register(DWORD message) {
    if (!notify_(message, &TrayIconData)) return;
    TrayIconShown = true;
    notify_(NIM_SETVERSION, &TrayIconData);
    if (!TrayIconWanted) RemoveTrayIcon(TrayIconData.hWnd);
}
