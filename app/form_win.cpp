#include "app/form.h"

#include "app/application.h"
#include "app/exceptions.h"

namespace {

// Shift-JIS: "ウィンドウを作成できません" (the window cannot be created)
constexpr char CannotCreateWindowMessage[] =
    "\x83" "E\x83" "B\x83\x93\x83h\x83" "E\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC"
    "\x82\xB9\x82\xF1";

void RegisterFormClass(const char* className, WNDPROC procedure) {
    WNDCLASSA existing{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), className, &existing)) return;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
}

int ShowCommandOf(TWindowState state) {
    switch (state) {
        case wsMinimized: return SW_SHOWMINNOACTIVE;
        case wsMaximized: return SW_SHOWMAXIMIZED;
        default: return SW_SHOWNORMAL;
    }
}

}  // namespace

TForm::TForm(const TFormValues& values) {
    RegisterFormClass(values.ClassName, &TForm::StaticWndProc);
    handle_ = CreateWindowExA(0, values.ClassName, values.Caption.c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, values.Left, values.Top,
                              values.Width, values.Height, Application->AppWindow, nullptr,
                              GetModuleHandleA(nullptr), this);
    if (!handle_) throw EOutOfResources(CannotCreateWindowMessage);
    Application->RegisterForm(this);
}

TForm::~TForm() {
    if (!handle_) return;
    visible_ = false;
    Application->UnregisterForm(this);
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
}

void TForm::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Application->SyncTaskbarButton();
    ShowWindow(handle_, visible ? ShowCommandOf(WindowState) : SW_HIDE);
}

void TForm::ShowAndRaise() {
    SetVisible(true);
    SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TForm::HideWindow() { SetVisible(false); }

// Closing is always allowed; the handler may keep the window by setting caNone.
void TForm::CloseMainWindow() {
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (Application->MainForm == this) {
        Application->RequestQuit();
    } else {
        HideWindow();
    }
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            CloseMainWindow();
            return 0;
        case WM_QUERYENDSESSION:
            return 1;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE && Application->MainForm == this) {
                Application->MinimizeApplication();
                return 0;
            }
            break;
    }
    return DefaultHandler(message, wParam, lParam);
}

LRESULT TForm::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(handle_, message, wParam, lParam);
}

// No exception ever leaves: a failure is shown and the message counts as handled.
LRESULT CALLBACK TForm::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* creating = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        creating->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
    }
    auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return form->WndProc(message, wParam, lParam);
    } catch (const std::exception& error) {
        Application->ReportError(error, form);
    } catch (...) {
        Application->ReportError(std::exception(), form);
    }
    return 0;
}
