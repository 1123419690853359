#pragma once
// The error display: a failure of a handler is shown in a stop box owned by the application
// window and captioned with its title, modal for the whole program.
#include <windows.h>

#include <exception>

#include "base/coded_text.h"
#include "base/object.h"

class TErrorDisplay {
public:
    // owner: the application window, whose caption is the program's title.
    explicit TErrorDisplay(HWND owner) : owner_(owner) {}

    // Cancels any mouse capture, drops EAbort silently and shows anything else. At most one
    // box is open at a time: a failure reported while one is open (say, on every tick while
    // another program holds the clipboard) is dropped, so boxes never pile up.
    void ReportError(const std::exception& error, TObject* sender);
    // A box owned by the application window on the active window's monitor, with the thread's
    // other windows disabled while it is open.
    int AppMessageBox(const TCodedText& text, const TCodedText& caption, unsigned flags);

private:
    void ShowErrorBox(const std::exception& error);

    HWND owner_;
    bool boxOpen_ = false;
};
