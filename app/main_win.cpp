// The entry point: the application object, the main window, the loop, the end of the process.
#include <windows.h>

#include "framework/application.h"
#include "base/error_text.h"
#include "base/exceptions.h"
#include "ui/main_window.h"

namespace {

// Where in the executable the failure was caught, relative to its load address.
std::uint32_t OffsetInExecutable(const void* code) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(code) -
                                      reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr)));
}

std::string ExecutableFileName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path);
    return full.substr(full.find_last_of('\\') + 1);
}

[[noreturn]] void EndWithRuntimeError(const void* address) {
    MessageBoxA(nullptr, RuntimeErrorText(217, reinterpret_cast<std::uintptr_t>(address)).c_str(),
                "Error", 0);
    ExitProcess(217);
}

void ShowFatalError(const Exception& error, const void* address) {
    const std::string text = FatalErrorText(error.ClassName(), ExecutableFileName(),
                                            OffsetInExecutable(address), error.Message());
    MessageBoxA(nullptr, text.c_str(), FatalErrorCaption, MB_TASKMODAL | MB_ICONERROR);
}

TForm* ConstructForm1() { return new TForm1(); }

// Destroys the windows, then the application window, and exits with code.
[[noreturn]] void EndProcess(TApplication& application, UINT code) {
    application.ShutdownWindows();
    application.Finalize();
    Application = nullptr;
    ExitProcess(code);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    static TApplication application;
    try {
        Application = &application;
        application.Initialize();
    } catch (...) {
        EndWithRuntimeError(reinterpret_cast<const void*>(&WinMain));
    }
    try {
        TForm* form = nullptr;
        application.CreateMainWindow(&ConstructForm1, form);
        Form1 = static_cast<TForm1*>(form);
    } catch (const Exception& error) {
        ShowFatalError(error, reinterpret_cast<const void*>(&ConstructForm1));
        EndProcess(application, 1);
    }
    application.RunMessageLoop();
    EndProcess(application, 0);
}
