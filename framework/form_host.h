#pragma once
// What a form needs of the program around it: the window that owns it, the program's icon, and
// a say in the taskbar button, the quit and the minimising. The application object fills it
// in with its own functions, so that the form never reaches for the application itself.
#include <windows.h>

#include <functional>

class TForm;

struct TFormHost {
    HWND OwnerWindow = nullptr;
    HICON ProgramIcon = nullptr;
    // Every form's construction, destruction and change of visibility: the taskbar button
    // follows them.
    std::function<void(TForm&)> OnFormCreated;
    std::function<void(TForm&)> OnFormDestroyed;
    std::function<void()> OnVisibilityChanged;
    // Only the main window's close ends the program, and only its minimising takes the whole
    // program to the taskbar button.
    std::function<bool(const TForm&)> IsMainForm;
    std::function<void()> OnMainFormClosed;
    std::function<void()> OnMinimize;
};
