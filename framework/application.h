#pragma once
// The application object: one per process, from before the main window is built until after it
// is gone. It owns the hidden application window (the taskbar button; the owner of the main
// window, of every error box and of the clipboard while it is open), the main window, the
// message loop and the error display.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/object.h"
#include "framework/error_display.h"
#include "framework/form.h"
#include "framework/form_host.h"

// The program's title: the executable's name without folder and extension, lower case from the
// second byte on. The application window's caption, and so the caption of every box.
std::string TitleFromExecutable();

class TApplication : public TObject {
public:
    TApplication() = default;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Loads the icon, derives the title, creates the hidden application window and installs the
    // error display. Raises EOutOfResources when the window cannot be made.
    void Initialize();
    // Destroys the application window: the last step before the process exits.
    void Finalize();

    HWND AppWindow() const { return appWindow_; }
    HICON AppIcon() const { return appIcon_; }
    // Builds the main window. A failure while it is built passes on; a failure of its creation
    // handler is shown and start-up goes on.
    void CreateMainWindow(const std::function<std::unique_ptr<TForm>()>& construct);
    void RunMessageLoop();
    // Destroys the main window, as the end of the process does.
    void ShutdownWindows();
    void RestoreApplication();

    // Whether the loop shows the main window when it starts.
    bool ShowMainWindowOnRun = true;
    bool QuitRequested = false;

    // What the forms are given of the application: the owner window, the icon, and the
    // functions below.
    const TFormHost& FormHost() const { return formHost_; }
    void RequestQuit();
    void MinimizeApplication();

private:
    static LRESULT CALLBACK AppWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleAppWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyStartupShowMode();
    void ActivateShownMainWindow();
    void RestoreApplicationWindow();
    bool ProcessOneMessage();
    bool PreprocessKey(const MSG& message);
    void FormCreated(TForm& form);
    void FormDestroyed(TForm& form);
    void SyncTaskbarButton();

    HWND appWindow_ = nullptr;
    HICON appIcon_ = nullptr;
    TFormHost formHost_;
    std::optional<TErrorDisplay> errorDisplay_;
    std::unique_ptr<TForm> mainForm_;
    // Every window object, from its construction to its destruction.
    std::vector<TForm*> forms_;
    // The visibility that SyncTaskbarButton last gave the application window.
    bool taskbarButtonShown_ = false;
};
