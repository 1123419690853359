#include "framework/application.h"

#include <algorithm>
#include <string>

#include "base/exceptions.h"
#include "base/mbcs.h"
#include "base/program_title.h"
#include "framework/error_guard.h"
#include "framework/thread_windows.h"
#include "framework/window_class.h"

namespace {

constexpr char AppWindowClass[] = "TApplication";
constexpr DWORD AppWindowStyle = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
// The show mode when whoever started the program gave none.
constexpr WORD DefaultShowMode = SW_SHOWDEFAULT;

}  // namespace

std::string TitleFromExecutable() {
    char path[256] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    OemToCharA(path, path);
    std::string title = ProgramNameFromPath(path, &IsSystemLeadByte);
    if (title.size() > 1) CharLowerA(title.data() + 1);
    return title;
}

namespace {

HWND CreateAppWindow(const std::string& title) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = AppWindowClass;
    RegisterClassOnce(windowClass);
    HWND window = CreateWindowExA(0, AppWindowClass, title.c_str(), AppWindowStyle,
                                  GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                                  0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) throw EOutOfResources(ClassRegistrationMessage);
    return window;
}

// The taskbar button offers restore, minimise and close only.
void TrimSystemMenu(HWND window) {
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    DeleteMenu(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(systemMenu, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(systemMenu, SC_MOVE, MF_BYCOMMAND);
}

bool IsKeyboardMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// Posted by the application window to itself when it takes the focus, so that the main window
// takes it over once the activation that gave it has finished.
constexpr UINT PassFocusToMainWindow = WM_APP + 1;

}  // namespace

void TApplication::Initialize() {
    appIcon_ = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    appWindow_ = CreateAppWindow(TitleFromExecutable());
    SetWindowLongPtrA(appWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(appWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TApplication::AppWindowProc));
    HICON icon = appIcon_ ? appIcon_ : LoadIconA(nullptr, IDI_APPLICATION);
    SendMessageA(appWindow_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SetClassLongPtrA(appWindow_, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    TrimSystemMenu(appWindow_);
    formHost_ = {
        .OwnerWindow = appWindow_,
        .ProgramIcon = appIcon_,
        .OnFormCreated = [this](TForm& form) { FormCreated(form); },
        .OnFormDestroyed = [this](TForm& form) { FormDestroyed(form); },
        .OnVisibilityChanged = [this] { SyncTaskbarButton(); },
        .IsMainForm = [this](const TForm& form) { return mainForm_.get() == &form; },
        .OnMainFormClosed = [this] { RequestQuit(); },
        .OnMinimize = [this] { MinimizeApplication(); },
    };
    errorDisplay_.emplace(appWindow_);
    InstallErrorReporter([this](const std::exception& error, TObject* sender) {
        errorDisplay_->ReportError(error, sender);
    });
    ShowMainWindowOnRun = true;
}

void TApplication::Finalize() {
    if (!appWindow_) return;
    InstallErrorReporter(nullptr);
    SendMessageA(appWindow_, WM_SETICON, ICON_BIG, 0);
    DestroyWindow(appWindow_);
    appWindow_ = nullptr;
}

LRESULT CALLBACK TApplication::AppWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* application = reinterpret_cast<TApplication*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!application) return DefWindowProcA(window, message, wParam, lParam);
    return Guarded(application, [&] { return application->HandleAppWindowMessage(message, wParam, lParam); });
}

// The taskbar button's commands and the notice of a log-off reach the program here.
LRESULT TApplication::HandleAppWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            if (mainForm_) mainForm_->CloseMainWindow();
            return 0;
        case WM_ENDSESSION:
            if (wParam) QuitRequested = true;
            return 0;
        case WM_SETFOCUS:
            PostMessageA(appWindow_, PassFocusToMainWindow, 0, 0);
            break;
        case PassFocusToMainWindow:
            ActivateShownMainWindow();
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                MinimizeApplication();
                return 0;
            }
            if ((wParam & 0xFFF0) == SC_RESTORE) {
                RestoreApplication();
                return 0;
            }
            break;
    }
    return DefWindowProcA(appWindow_, message, wParam, lParam);
}

// The window is the main window before its creation handler runs, so that a close arriving while
// that handler's error box is open ends the program instead of leaving it with no window.
void TApplication::CreateMainWindow(const std::function<std::unique_ptr<TForm>()>& construct) {
    mainForm_ = construct();
    TForm& form = *mainForm_;
    if (form.OnCreate) Guarded(&form, [&form] { form.OnCreate(&form); });
}

void TApplication::RunMessageLoop() {
    if (!mainForm_) return;
    ApplyStartupShowMode();
    if (ShowMainWindowOnRun) {
        if (mainForm_->WindowState == wsMinimized) {
            MinimizeApplication();
        } else {
            mainForm_->SetVisible(true);
        }
    }
    while (!QuitRequested) {
        Guarded(this, [this] {
            if (!ProcessOneMessage()) WaitMessage();
        });
    }
}

// Maximised or minimised, as whoever started the program asked: recorded only, it takes effect
// the first time the window is shown.
void TApplication::ApplyStartupShowMode() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const WORD showMode = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : DefaultShowMode;
    if (showMode == SW_SHOWMAXIMIZED) mainForm_->WindowState = wsMaximized;
    if (showMode == SW_SHOWMINNOACTIVE) mainForm_->WindowState = wsMinimized;
}

// One pass: false when the queue was empty.
bool TApplication::ProcessOneMessage() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        QuitRequested = true;
        return true;
    }
    if (PreprocessKey(message)) return true;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

// A key goes first to the form that holds its target, which may use it.
bool TApplication::PreprocessKey(const MSG& message) {
    if (!IsKeyboardMessage(message.message)) return false;
    for (TForm* form : forms_) {
        HWND window = form->Handle();
        if (message.hwnd == window || IsChild(window, message.hwnd)) return form->PreprocessKey(message);
    }
    return false;
}

void TApplication::RequestQuit() { PostQuitMessage(0); }

void TApplication::FormCreated(TForm& form) {
    forms_.push_back(&form);
    SyncTaskbarButton();
}

void TApplication::FormDestroyed(TForm& form) {
    std::erase(forms_, &form);
    SyncTaskbarButton();
}

// The taskbar button is the application window's, shown exactly while a form is visible.
void TApplication::SyncTaskbarButton() {
    if (!appWindow_) return;
    const bool wanted = std::any_of(forms_.begin(), forms_.end(), [](TForm* form) { return form->Visible(); });
    if ((IsWindowVisible(appWindow_) != FALSE) != taskbarButtonShown_) return;
    if (wanted == taskbarButtonShown_) return;
    SetWindowPos(appWindow_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (wanted ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    taskbarButtonShown_ = wanted;
}

// The application window is laid over the main window and minimised by the system, so that the
// owned main window disappears with it into the taskbar button.
void TApplication::MinimizeApplication() {
    if (IsIconic(appWindow_)) return;
    SetActiveWindow(appWindow_);
    const bool overMainWindow = mainForm_ && (mainForm_->Visible() || ShowMainWindowOnRun) &&
                                IsWindowEnabled(mainForm_->Handle());
    if (!overMainWindow) {
        ShowWindow(appWindow_, SW_MINIMIZE);
        return;
    }
    RECT area{};
    GetWindowRect(mainForm_->Handle(), &area);
    SetWindowPos(appWindow_, nullptr, area.left, area.top, area.right - area.left, 0, SWP_SHOWWINDOW);
    DefWindowProcA(appWindow_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

// The taskbar button's click and Alt+Tab activate the application window, which has no size
// and no controls: the main window takes over, with the focus on the control that had it, and
// comes back if it sits minimised. While an error box has disabled it, the box keeps the keys.
void TApplication::ActivateShownMainWindow() {
    if (GetActiveWindow() != appWindow_ || !mainForm_) return;
    HWND main = mainForm_->Handle();
    if (!IsWindowVisible(main)) return;
    if (!IsWindowEnabled(main)) {
        if (HWND box = OtherActivatableWindow(main, appWindow_)) SetActiveWindow(box);
        return;
    }
    mainForm_->RestoreIfMinimised();
    SetActiveWindow(main);
    mainForm_->FocusActiveControl();
}

// The taskbar button's restore, and a second start. A main window that was shown minimised on
// its own, as a start minimised shows it first, comes back too.
void TApplication::RestoreApplication() {
    if (IsIconic(appWindow_)) RestoreApplicationWindow();
    if (mainForm_) mainForm_->RestoreIfMinimised();
}

void TApplication::RestoreApplicationWindow() {
    SetActiveWindow(appWindow_);
    DefWindowProcA(appWindow_, WM_SYSCOMMAND, SC_RESTORE, 0);
    SetWindowPos(appWindow_, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2,
                 GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, SWP_NOZORDER);
    if (!mainForm_) return;
    if (mainForm_->WindowState == wsMinimized && !mainForm_->Visible()) {
        mainForm_->WindowState = wsNormal;
        mainForm_->SetVisible(true);
    }
    mainForm_->FocusActiveControl();
}

void TApplication::ShutdownWindows() {
    ShowOwnedPopups(appWindow_, FALSE);
    mainForm_.reset();
}
