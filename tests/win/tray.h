#pragma once
// The desktop shell's notification area as a test sees it: whether a window's icon is
// registered, and real mouse clicks on an icon.
#include <windows.h>

// True while the shell holds the icon (window, id 1). A modify with no flags succeeds only for
// a registered icon and changes nothing.
bool TrayIconRegistered(HWND window);
// Makes the shell forget the icon, as a restart of the shell would.
void ForgetTrayIcon(HWND window);
// Clicks the first icon of the notification area with the real mouse: a press and a release of
// the left or the right button. Returns false when the notification area cannot be found.
bool ClickFirstTrayIcon(bool rightButton);
// Clicks the middle of window with the real left mouse button.
void ClickWindow(HWND window);
