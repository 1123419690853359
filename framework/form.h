#pragma once
// The form base: a top-level window owned by the application window. Its static window
// procedure finds the object and calls its one virtual message handler inside the error guard.
#include <windows.h>

#include <functional>
#include <string>

#include "base/object.h"
#include "base/scoped_handle.h"
#include "framework/form_host.h"

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
// What a close does with the window: keep it, or hide it (which ends the program for the main
// window). The close handler may change it.
enum TCloseAction { caNone = 0, caHide = 1 };

// A control's place on its form, in pixels.
struct TBounds {
    int Left, Top, Width, Height;
};

inline void DeleteGdiFont(HFONT font) { DeleteObject(font); }
using ScopedFont = ScopedHandle<HFONT, &DeleteGdiFont>;

// The face is named in Unicode, so that it is found on Windows in any language. The character
// set is that of the system's ANSI code page, the one the controls' texts are in
// (SHIFTJIS_CHARSET on Japanese Windows), so that they are drawn in that code page.
struct TFontValues {
    int Height = 0;  // negative: the character height in pixels
    std::wstring Name;
};

// The window's own values, in the order its design gives them. The form was designed at 96
// pixels per inch and is scaled to the screen's; its creation handler runs after the whole
// construction.
struct TFormValues {
    const char* ClassName = "";
    int Left = 0, Top = 0, Width = 0, Height = 0;
    // The window sizes itself around its visible children.
    bool AutoSize = false;
    std::string Caption;
    int Color = COLOR_BTNFACE;  // a system colour
    TFontValues Font;           // taken by every child control
};

class TForm : public TObject {
public:
    TForm(const TFormHost& host, const TFormValues& values);
    ~TForm() override;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    HWND Handle() const { return handle_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    TWindowState WindowState = wsNormal;

    void ShowAndRaise();
    void HideWindow();
    // Brings a shown window that sits minimised back to its normal or maximised size.
    void RestoreIfMinimised();
    void CloseMainWindow();
    // Gives the keyboard focus back to the control that last had it.
    void FocusActiveControl();
    // To be called once controls were added or hidden: every control takes the form's font,
    // and with AutoSize the client area is made to just hold the visible ones.
    void ControlsChanged();
    // Offered every keyboard message for this window or its controls before it is dispatched:
    // true when the form used it. Tab and Shift+Tab move the focus between the controls.
    bool PreprocessKey(const MSG& message);

    std::function<void(TObject*)> OnCreate;
    std::function<void(TObject*, TCloseAction&)> OnClose;

protected:
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    // A length or place of the design, at 96 pixels per inch, scaled to those of the window's
    // screen.
    int Scaled(int designPixels) const;
    TBounds Scaled(const TBounds& designBounds) const;
    // For a window moved to a screen of other pixels per inch: the font follows, the window
    // takes the rectangle that the system suggests, and the controls are placed and sized again.
    void ChangeDpi(UINT dpi, const RECT& suggested);
    // Puts every control where the design has it at the present DPI.
    virtual void PlaceControls() {}

private:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ShowOrHide(bool visible);
    void FollowWindowState(WPARAM sizeKind);
    void MoveFocus(bool backwards);
    void AdjustSizeToChildren();

    const TFormHost& host_;
    HWND handle_ = nullptr;
    bool autoSize_ = false;
    TFontValues fontValues_;
    UINT dpi_;  // the pixels per inch of the window's screen
    ScopedFont font_;
    bool visible_ = false;
    HWND activeControl_ = nullptr;
};
