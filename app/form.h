#pragma once
// The form base: a top-level window owned by the application window. A static window
// procedure finds the object and calls its one virtual message handler inside an error guard.
#include <windows.h>

#include <functional>
#include <string>

#include "app/object.h"

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone = 0, caHide = 1, caFree = 2, caMinimize = 3 };

// A control's place on its form, in pixels.
struct TBounds {
    int Left, Top, Width, Height;
};

// The window's own values, as the form's resource gives them.
struct TFormValues {
    const char* ClassName = "";
    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::string Caption;
};

class TForm : public TObject {
public:
    explicit TForm(const TFormValues& values);
    ~TForm() override;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    HWND Handle() const { return handle_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    TWindowState WindowState = wsNormal;

    void ShowAndRaise();
    void HideWindow();
    void CloseMainWindow();
    // Gives the keyboard focus back to the control that last had it.
    void FocusActiveControl();

    std::function<void(TObject*)> OnCreate;
    std::function<void(TObject*, TCloseAction&)> OnClose;

protected:
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ShowOrHide(bool visible);
    void MoveFocus(WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    bool visible_ = false;
    HWND activeControl_ = nullptr;
};
