#pragma once
// The program's own top-level windows, as the thread that made them sees them.
#include <windows.h>

// Another visible, enabled top-level window of the thread than self and the application window,
// to take over the activation; nullptr when there is none.
HWND OtherActivatableWindow(HWND self, HWND applicationWindow);
