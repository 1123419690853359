#pragma once
// The application object: one per process, from before the main window is built until after it
// is gone. Its header stays free of <windows.h> so that the clipboard layer can name the
// application window as owner; Initialize() and the rest live in application_win.cpp.
#include <exception>
#include <string>
#include <vector>

#include "base/object.h"

struct HWND__;
struct HICON__;
class TForm;

class TApplication : public TObject {
public:
    TApplication() = default;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Loads the icon, derives the title and creates the hidden application window.
    void Initialize();
    // Destroys the application window: the last step before the process exits.
    void Finalize();

    std::string AppTitle() const;
    void CreateMainWindow(TForm* (*construct)(), TForm*& reference);
    void RunMessageLoop();
    void RequestQuit();
    void ReportError(const std::exception& error, TObject* sender);
    void ShowErrorBox(const std::exception& error);
    int AppMessageBox(const std::string& text, const std::string& caption, unsigned flags);
    void SyncTaskbarButton();
    void MinimizeApplication();
    void RestoreApplication();
    // Destroys the main window, as the end of the process does.
    void ShutdownWindows();
    // Every window object, from its construction to its destruction.
    void RegisterForm(TForm* form);
    void UnregisterForm(TForm* form);

    // The hidden application window: owner of the main window, of every error box and of the
    // clipboard while it is open.
    HWND__* AppWindow = nullptr;
    HICON__* AppIcon = nullptr;
    TForm* MainForm = nullptr;
    bool ShowMainWindowOnRun = true;
    bool QuitRequested = false;

private:
    bool ProcessOneMessage();

    std::vector<TForm*> forms_;
    bool errorBoxOpen_ = false;
};

// The process's application object while it exists.
inline TApplication* Application = nullptr;
