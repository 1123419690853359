// The entry point: the application object, the main window, the loop, the end of the process.
#include <windows.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "base/error_text.h"
#include "base/exceptions.h"
#include "base/mbcs.h"
#include "base/program_title.h"
#include "framework/application.h"
#include "framework/fault_injection.h"
#include "framework/message_box.h"
#include "ui/main_window.h"
#include "ui/running_copy.h"

namespace {

constexpr int RuntimeErrorNumber = 217;
constexpr UINT FatalExitCode = 1;
// A second start that found another copy running but had no answer from it.
constexpr int NoAnswerExitCode = 2;
// How long a second start waits for a first copy that is itself still starting or ending.
constexpr DWORD RunningCopySearchMs = 10000;

std::uintptr_t ExecutableBase() { return reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr)); }

// Where in the executable the failure was caught, relative to its load address.
std::uint32_t OffsetInExecutable(const void* code) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(code) - ExecutableBase());
}

// The failure address in 8 hexadecimal digits: the address itself where it fits (32-bit
// Windows), else its offset in the executable.
std::uint32_t RuntimeErrorAddress(const void* code) {
    const auto address = reinterpret_cast<std::uintptr_t>(code);
    if (address <= UINT32_MAX) return static_cast<std::uint32_t>(address);
    return OffsetInExecutable(code);
}

std::string ExecutableFileName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(FileNameOfPath(path, &IsSystemLeadByte));
}

[[noreturn]] void EndWithRuntimeError(const void* address) {
    CodedMessageBox(nullptr, OwnText(RuntimeErrorText(RuntimeErrorNumber, RuntimeErrorAddress(address))),
                    OwnText("Error"), 0);
    ExitProcess(RuntimeErrorNumber);
}

void ShowFatalError(const char* className, const std::string& message, const void* address) {
    const TCodedText text = FatalErrorText(className, ExecutableFileName(), OffsetInExecutable(address), message);
    CodedMessageBox(nullptr, text, OwnText(FatalErrorCaption), MB_TASKMODAL | MB_ICONERROR);
}

// Shows the failure being handled in the fatal box; called from inside a catch block only.
void ShowCurrentFatalError(const void* address) noexcept {
    try {
        try {
            throw;
        } catch (const Exception& error) {
            ShowFatalError(error.ClassName(), error.Message(), address);
        } catch (const std::exception& error) {
            ShowFatalError("Exception", error.what(), address);
        } catch (...) {
            ShowFatalError("Exception", "", address);
        }
    } catch (...) {
        // No memory even for the box's text: the exit code still tells.
    }
}

std::unique_ptr<TForm> ConstructMainWindow(TApplication& application) {
    return std::make_unique<TMainWindow>(application);
}

// Destroys the windows, then the application window, and exits with code. The test build can
// hold the end here, windows and all, so that a test sees what the close left behind before the
// system tidies up after the process.
[[noreturn]] void EndProcess(TApplication& application, UINT code) {
    if (InjectedFault("ShutdownWindows")) Sleep(INFINITE);
    application.ShutdownWindows();
    application.Finalize();
    ExitProcess(code);
}

// The user started the program and sees nothing happen: a box says why, captioned like the
// program's other boxes.
int SayNoCopyAnswers() {
    CodedMessageBox(nullptr, OwnText(WithFullStop(RunningCopyDoesNotAnswerMessage, &IsShiftJisLeadByte)),
                    SystemText(TitleFromExecutable()), MB_OK | MB_ICONSTOP);
    return NoAnswerExitCode;
}

}  // namespace

// A second start in the session touches neither the clipboard nor the tray: it hands over to
// the running copy and ends, or runs once a copy that was ending is gone.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    static TSessionLock sessionLock;
    if (!sessionLock.Owned()) {
        const THandOver handOver = HandOverToRunningCopy(sessionLock, RunningCopySearchMs);
        if (handOver == THandOver::Done) return 0;
        if (handOver == THandOver::NoAnswer) return SayNoCopyAnswers();
    }
    static TApplication application;
    try {
        application.Initialize();
    } catch (...) {
        EndWithRuntimeError(reinterpret_cast<const void*>(&WinMain));
    }
    try {
        application.CreateMainWindow([] { return ConstructMainWindow(application); });
    } catch (...) {
        ShowCurrentFatalError(reinterpret_cast<const void*>(&ConstructMainWindow));
        EndProcess(application, FatalExitCode);
    }
    application.RunMessageLoop();
    EndProcess(application, 0);
}
