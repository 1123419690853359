#pragma once
// A text box: an edit control whose text is read and set as ANSI bytes, byte for byte.
#include <string>

#include "slots/win32_seam.h"

class TMemo {
public:
    TMemo() = default;
    explicit TMemo(win32::HWND handle) : handle_(handle) {}
    // Makes a box on parent, named for screen readers if a name is given; raises
    // EOutOfResources when the system cannot.
    static TMemo Create(win32::HWND parent, int left, int top, int width, int height,
                        const char* name = nullptr);

    win32::HWND Handle() const { return handle_; }
    void Move(int left, int top, int width, int height) const;

    std::string Text() const;
    // Leaves the box alone when it already holds that text, so an unchanged text costs nothing.
    void SetText(const std::string& text) const;
    // Sets the text without reading the box first: for a box whose text the caller keeps.
    void OverwriteText(const std::string& text) const;

private:
    win32::HWND handle_ = nullptr;  // the parent window destroys the control
};
