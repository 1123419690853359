#include "framework/application.h"

#include <windows.h>

#include <algorithm>

#include "base/program_title.h"
#include "base/exceptions.h"
#include "framework/fault_injection.h"
#include "framework/form.h"
#include "framework/window_class.h"

namespace {

constexpr char AppWindowClass[] = "TApplication";
constexpr DWORD AppWindowStyle = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;

// Shift-JIS: "ウィンドウクラスの作成でエラーが発生しました" (the window class could not be made)
constexpr char ClassRegistrationMessage[] =
    "\x83" "E\x83" "B\x83\x93\x83h\x83" "E\x83N\x83\x89\x83X\x82\xCC\x8D\xEC\x90\xAC\x82\xC5\x83G"
    "\x83\x89\x81[\x82\xAA\x94\xAD\x90\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD";

// The visibility that SyncTaskbarButton last gave the application window.
bool TaskbarButtonShown = false;

// The executable's name without folder and extension, lower case from the second byte on.
std::string TitleFromExecutable() {
    char path[256] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    OemToCharA(path, path);
    std::string title = ProgramNameFromPath(path, &IsSystemLeadByte);
    if (title.size() > 1) CharLowerA(title.data() + 1);
    return title;
}

bool MajorVersionAboveThree() {
    // The major version sits in the low byte of GetVersion's result.
    return (GetVersion() & 0xFF) > 3;
}

LRESULT CALLBACK AppWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TApplication* application = Application;
    if (!application) return DefWindowProcA(window, message, wParam, lParam);
    try {
        switch (message) {
            case WM_CLOSE:
                if (application->MainForm) application->MainForm->CloseMainWindow();
                return 0;
            case WM_ENDSESSION:
                if (wParam) application->QuitRequested = true;
                return 0;
            case WM_SYSCOMMAND:
                if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                    application->MinimizeApplication();
                    return 0;
                }
                if ((wParam & 0xFFF0) == SC_RESTORE) {
                    application->RestoreApplication();
                    return 0;
                }
                break;
        }
    } catch (const std::exception& error) {
        application->ReportError(error, application);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void TApplication::Initialize() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    AppIcon = LoadIconA(instance, "MAINICON");
    const std::string title = TitleFromExecutable();

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = AppWindowClass;
    if (InjectedFault("RegisterClass") || !RegisterClassOnce(windowClass)) {
        throw EOutOfResources(ClassRegistrationMessage);
    }
    AppWindow = CreateWindowExA(0, AppWindowClass, title.c_str(), AppWindowStyle,
                                GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                                0, 0, nullptr, nullptr, instance, nullptr);
    if (!AppWindow) throw EOutOfResources(ClassRegistrationMessage);
    SetWindowLongPtrA(AppWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AppWindowProc));

    HICON icon = AppIcon ? AppIcon : LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
    HMENU systemMenu = GetSystemMenu(AppWindow, FALSE);
    if (MajorVersionAboveThree()) {
        SendMessageA(AppWindow, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SetClassLongPtrA(AppWindow, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    }
    DeleteMenu(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(systemMenu, SC_SIZE, MF_BYCOMMAND);
    if (MajorVersionAboveThree()) DeleteMenu(systemMenu, SC_MOVE, MF_BYCOMMAND);
    ShowMainWindowOnRun = true;
}

void TApplication::Finalize() {
    if (!AppWindow) return;
    if (MajorVersionAboveThree()) SendMessageA(AppWindow, WM_SETICON, ICON_BIG, 0);
    DestroyWindow(AppWindow);
    AppWindow = nullptr;
}

std::string TApplication::AppTitle() const {
    char title[256] = {};
    GetWindowTextA(AppWindow, title, sizeof title);
    return title;
}

// The reference is set before the window is built, and cleared again if building fails.
void TApplication::CreateMainWindow(TForm* (*construct)(), TForm*& reference) {
    try {
        reference = construct();
    } catch (...) {
        reference = nullptr;
        throw;
    }
    if (reference->OnCreate) {
        try {
            reference->OnCreate(reference);
        } catch (const std::exception& error) {
            ReportError(error, reference);
        }
    }
    if (!MainForm) MainForm = reference;
}

void TApplication::RunMessageLoop() {
    if (!MainForm) return;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const WORD showMode = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : 10;
    if (showMode == SW_SHOWMAXIMIZED) MainForm->WindowState = wsMaximized;
    if (showMode == SW_SHOWMINNOACTIVE) MainForm->WindowState = wsMinimized;
    if (ShowMainWindowOnRun) {
        if (MainForm->WindowState == wsMinimized) {
            MinimizeApplication();
        } else {
            MainForm->SetVisible(true);
        }
    }
    while (!QuitRequested) {
        try {
            if (!ProcessOneMessage()) WaitMessage();
        } catch (const std::exception& error) {
            ReportError(error, this);
        }
    }
}

// One pass: false when the queue was empty.
bool TApplication::ProcessOneMessage() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        QuitRequested = true;
        return true;
    }
    // Tab and the other navigation keys move between the main window's controls.
    if (MainForm && IsDialogMessageA(MainForm->Handle(), &message)) return true;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void TApplication::RequestQuit() { PostQuitMessage(0); }

void TApplication::RegisterForm(TForm* form) {
    forms_.push_back(form);
    SyncTaskbarButton();
}

void TApplication::UnregisterForm(TForm* form) {
    std::erase(forms_, form);
    SyncTaskbarButton();
}

// The taskbar button is the application window's, shown exactly while a form is visible.
void TApplication::SyncTaskbarButton() {
    if (!AppWindow) return;
    const bool wanted = std::any_of(forms_.begin(), forms_.end(), [](TForm* form) { return form->Visible(); });
    if ((IsWindowVisible(AppWindow) != FALSE) != TaskbarButtonShown) return;
    if (wanted == TaskbarButtonShown) return;
    SetWindowPos(AppWindow, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (wanted ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    TaskbarButtonShown = wanted;
}

// The application window is laid over the main window and minimised by the system, so that the
// owned main window disappears with it into the taskbar button.
void TApplication::MinimizeApplication() {
    if (IsIconic(AppWindow)) return;
    SetActiveWindow(AppWindow);
    const bool overMainWindow = MainForm && (MainForm->Visible() || ShowMainWindowOnRun) &&
                                IsWindowEnabled(MainForm->Handle());
    if (!overMainWindow) {
        ShowWindow(AppWindow, SW_MINIMIZE);
        return;
    }
    RECT area{};
    GetWindowRect(MainForm->Handle(), &area);
    SetWindowPos(AppWindow, nullptr, area.left, area.top, area.right - area.left, 0, SWP_SHOWWINDOW);
    DefWindowProcA(AppWindow, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TApplication::RestoreApplication() {
    if (!IsIconic(AppWindow)) return;
    SetActiveWindow(AppWindow);
    DefWindowProcA(AppWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
    SetWindowPos(AppWindow, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2,
                 GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, SWP_NOZORDER);
    if (!MainForm) return;
    if (MainForm->WindowState == wsMinimized && !MainForm->Visible()) {
        MainForm->WindowState = wsNormal;
        MainForm->SetVisible(true);
    }
    MainForm->FocusActiveControl();
}

void TApplication::ShutdownWindows() {
    ShowOwnedPopups(AppWindow, FALSE);
    delete MainForm;
    MainForm = nullptr;
}
