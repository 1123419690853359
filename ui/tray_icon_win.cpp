#include "ui/tray_icon.h"

#include <cstring>

namespace {

constexpr UINT TrayIconId = 1;

// The record's first form: up to the end of its 64-byte tip (88 bytes on 32-bit Windows).
constexpr DWORD FirstFormSize = NOTIFYICONDATAA_V1_SIZE;

// The tip, all 64 bytes of it copied.
constexpr char TipText[64] = "Tasktary...";

}  // namespace

void TTrayIcon::AddTrayIcon(HWND window, HICON icon) {
    TrayIconWanted = true;
    if (TrayIconShown) return;
    TrayIconData.cbSize = FirstFormSize;
    TrayIconData.hWnd = window;
    TrayIconData.uID = TrayIconId;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = WM_TRAYNOTIFY;
    TrayIconData.hIcon = icon;
    static_assert(sizeof TrayIconData.szTip >= sizeof TipText);
    std::memcpy(TrayIconData.szTip, TipText, sizeof TipText);
    TrayIconShown = notify_(NIM_ADD, &TrayIconData) != FALSE;
}

// Only the fields that name the icon are refreshed; the rest keep the values of the last add.
void TTrayIcon::RemoveTrayIcon(HWND window) {
    TrayIconWanted = false;
    if (!TrayIconShown) return;
    TrayIconData.cbSize = FirstFormSize;
    TrayIconData.hWnd = window;
    TrayIconData.uID = TrayIconId;
    notify_(NIM_DELETE, &TrayIconData);
    TrayIconShown = false;
}

void TTrayIcon::AddIfRefused() {
    if (!TrayIconWanted || TrayIconShown) return;
    TrayIconShown = notify_(NIM_MODIFY, &TrayIconData) != FALSE || notify_(NIM_ADD, &TrayIconData) != FALSE;
}

void TTrayIcon::AddAgainAfterShellRestart() {
    if (TrayIconWanted) TrayIconShown = notify_(NIM_ADD, &TrayIconData) != FALSE;
}
