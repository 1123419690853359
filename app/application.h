#pragma once
// The application object: one per process, from before the main window is built until after it
// is gone. Kept free of <windows.h> so that the clipboard layer can name its window as owner.
struct HWND__;

class TApplication {
public:
    // The hidden application window: owner of the main window, of every error box and of the
    // clipboard while it is open.
    HWND__* AppWindow = nullptr;
};

// The process's application object while it exists.
inline TApplication* Application = nullptr;
