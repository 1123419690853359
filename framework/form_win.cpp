#include "framework/form.h"

#include <algorithm>
#include <utility>

#include "base/exceptions.h"
#include "framework/button.h"
#include "framework/error_guard.h"
#include "framework/thread_windows.h"
#include "framework/user32_function.h"
#include "framework/window_class.h"

namespace {

void RegisterFormClass(const char* className, WNDPROC procedure, int color, HICON icon) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // The program's icon in the title bar, as on the taskbar button and in the tray.
    windowClass.hIcon = icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(color + 1));
    windowClass.lpszClassName = className;
    RegisterClassOnce(windowClass);
}

// The pixels per inch that the window's design assumes.
constexpr int DesignDpi = 96;

// The screen's pixels per inch as the system gives them to the program at its start.
UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : DesignDpi;
}

// Those of the monitor the window is on, where the system tells them per window (Windows 10
// 1607 and later, asked at run time so that the program still starts on older Windows). There
// the program is aware per monitor; elsewhere every window has the system's.
UINT DpiOfWindow(HWND window, UINT systemDpi) {
    using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
    const auto getDpiForWindow = User32Function<GetDpiForWindowCall>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : systemDpi;
}

// The character set of the system's ANSI code page; the system's default where that code page
// has none (UTF-8).
BYTE SystemCharset() {
    CHARSETINFO info{};
    const auto codePage = static_cast<DWORD_PTR>(GetACP());
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(codePage), &info, TCI_SRCCODEPAGE)) return DEFAULT_CHARSET;
    return static_cast<BYTE>(info.ciCharset);
}

// Where the face is missing, the font mapper picks the closest one of the same character set.
HFONT CreateFormFont(const TFontValues& font, UINT dpi) {
    return CreateFontW(MulDiv(font.Height, static_cast<int>(dpi), DesignDpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                       FALSE, SystemCharset(), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, font.Name.c_str());
}

int ShowCommandOf(TWindowState state) {
    switch (state) {
        case wsMinimized: return SW_SHOWMINNOACTIVE;
        case wsMaximized: return SW_SHOWMAXIMIZED;
        default: return SW_SHOWNORMAL;
    }
}

bool KeyHeld(int virtualKey) { return GetKeyState(virtualKey) < 0; }

}  // namespace

// The window is placed by the system's pixels per inch, then takes those of its monitor.
TForm::TForm(const TFormHost& host, const TFormValues& values)
    : host_(host), autoSize_(values.AutoSize), fontValues_(values.Font), dpi_(SystemDpi()) {
    RegisterFormClass(values.ClassName, &TForm::StaticWndProc, values.Color, host_.ProgramIcon);
    const TBounds place = Scaled(TBounds{values.Left, values.Top, values.Width, values.Height});
    handle_ = CreateWindowExA(0, values.ClassName, values.Caption.c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place.Left, place.Top,
                              place.Width, place.Height, host_.OwnerWindow, nullptr,
                              GetModuleHandleA(nullptr), this);
    if (!handle_) throw EOutOfResources(CannotCreateWindowMessage);
    dpi_ = DpiOfWindow(handle_, dpi_);
    font_ = ScopedFont(CreateFormFont(fontValues_, dpi_));
    host_.OnFormCreated(*this);
}

TForm::~TForm() {
    visible_ = false;
    host_.OnFormDestroyed(*this);
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
}

void TForm::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    // Hidden while minimised, the window comes back restored: shown minimised again, it would stay
    // out of sight where Windows keeps minimised windows off the screen.
    if (!visible && WindowState == wsMinimized) WindowState = wsNormal;
    host_.OnVisibilityChanged();
    ShowOrHide(visible);
}

// The active window hands the activation to another window of the program as it goes.
void TForm::ShowOrHide(bool visible) {
    if (visible) {
        ShowWindow(handle_, ShowCommandOf(WindowState));
        return;
    }
    HWND successor = nullptr;
    if (GetActiveWindow() == handle_ && !IsIconic(handle_)) {
        successor = OtherActivatableWindow(handle_, host_.OwnerWindow);
    }
    if (!successor) {
        ShowWindow(handle_, SW_HIDE);
        return;
    }
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    SetActiveWindow(successor);
}

void TForm::ShowAndRaise() {
    SetVisible(true);
    SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TForm::HideWindow() { SetVisible(false); }

void TForm::RestoreIfMinimised() {
    if (visible_ && IsIconic(handle_)) ShowWindow(handle_, SW_RESTORE);
}

// The next show uses the state that the shown window really took, whoever gave it that state:
// a start minimised shows it minimised once, and it comes back as the user leaves it.
void TForm::FollowWindowState(WPARAM sizeKind) {
    if (!visible_) return;
    switch (sizeKind) {
        case SIZE_MINIMIZED: WindowState = wsMinimized; break;
        case SIZE_MAXIMIZED: WindowState = wsMaximized; break;
        case SIZE_RESTORED: WindowState = wsNormal; break;
        default: break;
    }
}

// Closing is always allowed; the handler may keep the window by setting caNone.
void TForm::CloseMainWindow() {
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (host_.IsMainForm(*this)) {
        host_.OnMainFormClosed();
    } else {
        HideWindow();
    }
}

int TForm::Scaled(int designPixels) const { return MulDiv(designPixels, static_cast<int>(dpi_), DesignDpi); }

TBounds TForm::Scaled(const TBounds& designBounds) const {
    return {Scaled(designBounds.Left), Scaled(designBounds.Top), Scaled(designBounds.Width),
            Scaled(designBounds.Height)};
}

// The old font lasts until every control has the new one.
void TForm::ChangeDpi(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    const ScopedFont previousFont = std::exchange(font_, ScopedFont(CreateFormFont(fontValues_, dpi_)));
    SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControls();
    ControlsChanged();
}

// The frame is measured on the window itself: its width depends on the window's DPI, which
// under per-monitor awareness need not be the system's.
void TForm::AdjustSizeToChildren() {
    if (!autoSize_ || IsZoomed(handle_) || IsIconic(handle_)) return;
    RECT extent{0, 0, 0, 0};
    for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT area{};
        GetWindowRect(child, &area);
        MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&area), 2);
        extent.right = std::max(extent.right, area.right);
        extent.bottom = std::max(extent.bottom, area.bottom);
    }
    if (extent.right == 0 && extent.bottom == 0) return;
    RECT outer{}, client{};
    GetWindowRect(handle_, &outer);
    GetClientRect(handle_, &client);
    SetWindowPos(handle_, nullptr, 0, 0, extent.right + (outer.right - outer.left) - client.right,
                 extent.bottom + (outer.bottom - outer.top) - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::ControlsChanged() {
    if (font_) {
        for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        }
    }
    AdjustSizeToChildren();
}

void TForm::FocusActiveControl() {
    if (activeControl_ && IsWindow(activeControl_)) SetFocus(activeControl_);
}

// Only Tab and Shift+Tab mean something here. Every other key goes to the control as it would
// in any window: a multi-line box keeps Esc, Enter and the arrows to itself, and a button
// clicks on Space only.
bool TForm::PreprocessKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (KeyHeld(VK_CONTROL) || KeyHeld(VK_MENU)) return false;
    MoveFocus(KeyHeld(VK_SHIFT));
    return true;
}

void TForm::MoveFocus(bool backwards) {
    if (HWND next = GetNextDlgTabItem(handle_, GetFocus(), backwards)) SetFocus(next);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focused = GetFocus();
                if (focused && IsChild(handle_, focused)) activeControl_ = focused;
            }
            break;
        case WM_SETFOCUS:
            if (!activeControl_ || !IsWindow(activeControl_)) {
                activeControl_ = GetNextDlgTabItem(handle_, nullptr, FALSE);
            }
            if (activeControl_) {
                SetFocus(activeControl_);
                return 0;
            }
            break;
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            if (TButton* button = TButton::FromHandle(reinterpret_cast<HWND>(lParam))) {
                if (button->OnClick) button->OnClick(button);
                return 0;
            }
            break;
        case WM_SIZE:
            FollowWindowState(wParam);
            break;
        case WM_CLOSE:
            CloseMainWindow();
            return 0;
        case WM_QUERYENDSESSION:
            return 1;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE && host_.IsMainForm(*this)) {
                host_.OnMinimize();
                return 0;
            }
            break;
    }
    return DefaultHandler(message, wParam, lParam);
}

LRESULT TForm::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TForm::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* creating = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        creating->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
    }
    auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form) return DefWindowProcA(window, message, wParam, lParam);
    return Guarded(form, [&] { return form->WndProc(message, wParam, lParam); });
}
