// How Quavelin.exe starts and ends: hidden behind its icon from the start, its title and the
// show mode it is started with, one copy per session; every route that closes it, also while
// its start-up error box is open, and a log-off, with what each leaves of the icon; and the
// fatal start-up failures of the test build.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <optional>
#include <string>

#include "base/error_text.h"
#include "slots/clipboard.h"
#include "tests/win/running_quavelin.h"
#include "tests/win/test_window.h"
#include "tests/win/tray.h"
#include "ui/running_copy.h"

namespace {

class Closing : public RunningQuavelin {};
class StartingAgain : public RunningQuavelin {};

// Is any window of the process visible? Sampled from the moment the process starts.
bool AnyWindowShown(const QuavelinProcess& process) {
    for (const char* className : {"TForm1", "TApplication"}) {
        for (HWND window : process.Windows(className)) {
            if (IsWindowVisible(window)) return true;
        }
    }
    return false;
}

// Answers the program's error boxes until it ends, for at most timeoutMs; returns its exit code.
DWORD ExitCodeAnsweringBoxes(const QuavelinProcess& process, DWORD timeoutMs) {
    WaitUntil([&] {
        for (HWND box : process.Windows("#32770")) PressOk(box);
        return process.WaitForExit(0) != STILL_ACTIVE;
    }, timeoutMs);
    return process.WaitForExit(0);
}

// The width of seven wide letters and the height of a line in a box of another process, from
// where its characters stand: they tell the box's font, which Wine does not report to another
// process.
SIZE LettersAndLine(HWND box) {
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("WWWWWWWW\r\nW"));
    const auto at = [box](int index) { return static_cast<DWORD>(SendMessageA(box, EM_POSFROMCHAR, index, 0)); };
    return {LOWORD(at(7)) - LOWORD(at(0)), HIWORD(at(10)) - HIWORD(at(0))};
}

// The same, measured here in the face and height that the main window gives its controls.
SIZE LettersAndLineInTheWindowsFont() {
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             "\x82l\x82r \x82o\x83S\x83V\x83" "b\x83N");  // "ＭＳ Ｐゴシック"
    HDC screen = GetDC(nullptr);
    HGDIOBJ before = SelectObject(screen, font);
    SIZE letters{};
    GetTextExtentPoint32A(screen, "WWWWWWW", 7, &letters);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, before);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    return {letters.cx, metrics.tmHeight};
}

// The program starts while the test holds the clipboard open: its start-up capture fails. It
// shows the box, start-up goes on, and the window stays hidden behind its icon with all ten
// boxes and an empty slot 0 until the clipboard is free.
TEST(StartingUp, StartsHiddenBehindItsIconEvenWhenTheStartUpCaptureFails) {
    TestApplication owner;
    PutRawClipboard(CF_TEXT, std::string("at start\0", 9), owner.Window());
    ASSERT_TRUE(OpenClipboard(owner.Window()));
    StartedQuavelin quavelin;
    bool shownDuringStart = false;
    WaitUntil([&] {
        shownDuringStart = shownDuringStart || AnyWindowShown(quavelin.process);
        return !quavelin.process.Windows("#32770").empty();
    }, StartTimeoutMs);
    const bool running = quavelin.WaitUntilRunning();
    HWND box = quavelin.process.WaitForWindow("#32770", 0);
    // Read while the clipboard is still held: once it is free, a tick takes its text in.
    const std::string slotZero = running ? WindowText(quavelin.boxes[10]) : "";
    const std::string nowClip = running ? WindowText(quavelin.boxes[0]) : "";
    CloseClipboard();
    ASSERT_TRUE(running);
    ASSERT_NE(box, nullptr);

    EXPECT_FALSE(shownDuringStart) << "a window was visible during start-up";
    EXPECT_EQ(ViewMessageBox(box).Text, CannotOpenClipboardMessage + std::string("."));
    EXPECT_FALSE(IsWindowVisible(quavelin.mainWindow));
    EXPECT_FALSE(IsWindowVisible(quavelin.appWindow)) << "no taskbar button";
    EXPECT_TRUE(TrayIconRegistered(quavelin.mainWindow));
    EXPECT_EQ(slotZero, "");
    EXPECT_EQ(nowClip, "NowClip\r\n");

    PressOk(box);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(quavelin.boxes[10]) == "at start"; }, TickTimeoutMs));
    EXPECT_EQ(WindowText(quavelin.boxes[0]), "at start");
    EXPECT_FALSE(IsWindowVisible(quavelin.mainWindow));
    EXPECT_TRUE(TrayIconRegistered(quavelin.mainWindow));
    const SIZE expected = LettersAndLineInTheWindowsFont();
    for (HWND box : {quavelin.boxes[1], quavelin.boxes[10]}) {
        const SIZE measured = LettersAndLine(box);
        EXPECT_EQ(measured.cx, expected.cx) << "a slot box lacks the window's font after the failed capture";
        EXPECT_EQ(measured.cy, expected.cy);
    }
}

TEST(StartingUp, HasTheShellsWindowsTitleAndOwner) {
    StartedQuavelin quavelin;
    ASSERT_TRUE(quavelin.WaitUntilRunning());

    EXPECT_EQ(WindowText(quavelin.appWindow), "Quavelin");
    EXPECT_EQ(GetWindow(quavelin.mainWindow, GW_OWNER), quavelin.appWindow);
    EXPECT_EQ(GetWindowLongA(quavelin.appWindow, GWL_STYLE) & ~WS_VISIBLE, 0x84CA0000);
    EXPECT_NE(quavelin.process.WaitForWindow("TPUtilWindow", TickTimeoutMs), nullptr);
}

// The other build beside this one's folder, 64-bit for a 32-bit copy and back, when it was
// built; else the test build, another file.
std::string AnotherBuildThan(const QuavelinProcess& running) {
    const char* other = running.Is32Bit() ? "..\\windows-x64\\Quavelin.exe" : "..\\windows-x86\\Quavelin.exe";
    const bool built = GetFileAttributesA((TestProgramsFolder() + other).c_str()) != INVALID_FILE_ATTRIBUTES;
    return built ? other : "faults\\Quavelin.exe";
}

// A second start in the session shows the running copy's window, as its icon does, also from
// its taskbar button, and ends without touching the clipboard; once the first copy has ended,
// a start runs as usual.
TEST_F(StartingAgain, ASecondStartShowsTheRunningCopyAndEndsWithCodeZero) {
    ASSERT_TRUE(CopyInto(0, "kept"));
    const DWORD clipboardChange = GetClipboardSequenceNumber();

    QuavelinProcess second({.Program = AnotherBuildThan(Process())});
    EXPECT_EQ(second.WaitForExit(StartTimeoutMs), 0u);

    EXPECT_TRUE(WaitUntil([&] { return ShownWithoutIcon(); }, TickTimeoutMs));
    EXPECT_EQ(GetClipboardSequenceNumber(), clipboardChange);
    EXPECT_EQ(SlotText(0), "kept");
    PostMessageA(MainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(AppWindow()) != FALSE; }, TickTimeoutMs));
    QuavelinProcess minimised({.Program = AnotherBuildThan(Process())});
    EXPECT_EQ(minimised.WaitForExit(StartTimeoutMs), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(AppWindow()) && Shown(); }, TickTimeoutMs))
        << "the copy on its taskbar button stayed minimised";
    PostMessageA(MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_EQ(ExitCodeAnsweringBoxes(Process(), TickTimeoutMs), 0u);
    StartedQuavelin third;
    EXPECT_TRUE(third.WaitUntilRunning());
}

// The test build holds its end after the close: a start meanwhile waits, and runs once the
// ending copy is gone.
TEST(StartingWhileTheCopyEnds, TheNewStartRunsOnceTheEndingCopyIsGone) {
    StartedQuavelin ending({.Program = "faults\\Quavelin.exe", .FailingCall = "ShutdownWindows"});
    ASSERT_TRUE(ending.WaitUntilRunning());
    PostMessageA(ending.mainWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return ending.process.Busy(ending.mainWindow); }, TickTimeoutMs));

    StartedQuavelin next;
    PumpMessagesFor(500);
    EXPECT_EQ(next.process.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "it handed over to a copy that ends";
    TerminateProcess(ending.process.Handle(), 0);
    EXPECT_TRUE(next.WaitUntilRunning());
}

// Stands in for a copy running as administrator: a start cannot open its lock, made with an
// empty DACL; its marked window, if it has one, answers a start's request with answer.
class CopyAsAdministrator {
public:
    explicit CopyAsAdministrator(std::optional<LRESULT> answer) {
        SECURITY_DESCRIPTOR descriptor{};
        ACL noOne{};
        InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
        InitializeAcl(&noOne, sizeof noOne, ACL_REVISION);
        SetSecurityDescriptorDacl(&descriptor, TRUE, &noOne, FALSE);
        SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
        lock = TKernelHandle(CreateMutexA(&attributes, TRUE, SessionLockName));
        requests = 0;
        if (!answer) return;
        answer_ = *answer;
        SetPropA(window_.Window(), RunningCopyProperty, window_.Window());
        SetWindowLongPtrA(window_.Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Answer));
    }
    ~CopyAsAdministrator() { RemovePropA(window_.Window(), RunningCopyProperty); }

    TKernelHandle lock;
    static inline int requests = 0;

private:
    static LRESULT CALLBACK Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == RegisterWindowMessageA(ShowRunningCopyMessage)) return ++requests, answer_;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static inline LRESULT answer_ = 0;
    TestApplication window_;
};

TEST(StartingBesideACopyAsAdministrator, AStartThatCannotOpenTheLockHandsOverAndEndsWithCodeZero) {
    CopyAsAdministrator copy(RunningCopyShown);
    ASSERT_TRUE(copy.lock);
    QuavelinProcess start;
    EXPECT_EQ(ExitCodeAnsweringBoxes(start, StartTimeoutMs), 0u);
    EXPECT_EQ(CopyAsAdministrator::requests, 1);
}

// A copy that is closing refuses: the start waits until its lock is free, and runs.
TEST(StartingBesideACopyAsAdministrator, ACopyThatRefusesIsWaitedFor_ThenTheStartRuns) {
    CopyAsAdministrator copy(0);
    StartedQuavelin start;
    ASSERT_TRUE(WaitUntil([] { return CopyAsAdministrator::requests > 0; }, StartTimeoutMs));
    EXPECT_EQ(ExitCodeAnsweringBoxes(start.process, 500), static_cast<DWORD>(STILL_ACTIVE));
    copy.lock.Reset();
    EXPECT_TRUE(start.WaitUntilRunning());
}

TEST(StartingBesideACopyAsAdministrator, NoCopyAnswersWithinTheWait_ABoxSaysSoAndTheStartEndsWithCodeTwo) {
    CopyAsAdministrator copy(std::nullopt);
    QuavelinProcess start;
    HWND box = start.WaitForWindow("#32770", StartTimeoutMs);
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = ViewMessageBox(box);
    EXPECT_EQ(view.Caption, "Quavelin");
    EXPECT_EQ(view.Text, RunningCopyDoesNotAnswerMessage + std::string("."));
    EXPECT_TRUE(view.HasIcon);
    PressOk(box);
    EXPECT_EQ(start.WaitForExit(TickTimeoutMs), 2u);
}

// A copy of the program under an upper-case name, in a folder of its own beside the programs.
class UpperCaseCopy {
public:
    UpperCaseCopy() {
        CreateDirectoryA(folder_.c_str(), nullptr);
        copied_ = CopyFileA((TestProgramsFolder() + "Quavelin.exe").c_str(), path_.c_str(), FALSE) != FALSE;
    }
    ~UpperCaseCopy() {
        DeleteFileA(path_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    UpperCaseCopy(const UpperCaseCopy&) = delete;
    UpperCaseCopy& operator=(const UpperCaseCopy&) = delete;

    bool Copied() const { return copied_; }
    static constexpr char Program[] = "upper-case\\QUAVELIN.EXE";

private:
    const std::string folder_ = TestProgramsFolder() + "upper-case";
    const std::string path_ = TestProgramsFolder() + Program;
    bool copied_ = false;
};

TEST(StartingUp, TheTitleIsTheExecutablesNameInLowerCaseFromItsSecondLetter) {
    UpperCaseCopy copy;
    ASSERT_TRUE(copy.Copied());
    StartedQuavelin quavelin({.Program = UpperCaseCopy::Program});
    ASSERT_TRUE(quavelin.WaitUntilRunning());

    EXPECT_EQ(WindowText(quavelin.appWindow), "Quavelin");
    EXPECT_EQ(WindowText(quavelin.mainWindow), "Quavelin") << "the form's own caption";
}

// The show mode that the program was started with waits, with the window hidden behind its
// icon, until the icon first shows the window.
TEST(StartingUp, ShowModeMaximisedTakesEffectAtTheFirstShow_ClosedThroughTheTaskbarButton) {
    StartedQuavelin quavelin({.ShowMode = SW_SHOWMAXIMIZED});
    ASSERT_TRUE(quavelin.WaitUntilRunning());
    EXPECT_FALSE(IsWindowVisible(quavelin.mainWindow));
    EXPECT_FALSE(IsWindowVisible(quavelin.appWindow));

    SendMessageA(quavelin.mainWindow, TrayIconMessage, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(quavelin.mainWindow));
    EXPECT_TRUE(IsZoomed(quavelin.mainWindow));
    EXPECT_TRUE(IsWindowVisible(quavelin.appWindow));

    PostMessageA(quavelin.appWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(quavelin.process.WaitForExit(TickTimeoutMs * 4), 0u);
}

bool ShownRestored(const StartedQuavelin& quavelin) {
    return IsWindowVisible(quavelin.mainWindow) && !IsIconic(quavelin.mainWindow);
}

// A second start ends with code 0 and brings the running copy's window up, not minimised.
bool StartingAgainShowsRestored(const StartedQuavelin& quavelin) {
    QuavelinProcess second;
    return second.WaitForExit(StartTimeoutMs) == 0 &&
           WaitUntil([&] { return ShownRestored(quavelin); }, TickTimeoutMs);
}

// Started minimised, as a shortcut in the Startup folder may ask, the window shows minimised
// once. Where Windows keeps a minimised window off the screen, it must come back from the
// taskbar button's restore, from a second start and from a later press on the icon; and a
// second start that is the very first show brings it up restored.
TEST(StartingUp, ShowModeMinimisedTakesEffectAtTheFirstShowOnly_ClosedThroughTheSystemMenu) {
    StartedQuavelin quavelin({.ShowMode = SW_SHOWMINNOACTIVE});
    ASSERT_TRUE(quavelin.WaitUntilRunning());
    EXPECT_FALSE(IsWindowVisible(quavelin.mainWindow));
    EXPECT_FALSE(IsWindowVisible(quavelin.appWindow));

    SendMessageA(quavelin.mainWindow, TrayIconMessage, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(quavelin.mainWindow));
    EXPECT_TRUE(IsIconic(quavelin.mainWindow));

    SendMessageA(FindWindowExA(quavelin.mainWindow, nullptr, "Button", "Mini"), BM_CLICK, 0, 0);
    SendMessageA(quavelin.mainWindow, TrayIconMessage, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(ShownRestored(quavelin)) << "a later press on the icon";
    ShowWindow(quavelin.mainWindow, SW_SHOWMINNOACTIVE);
    SendMessageA(quavelin.appWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(ShownRestored(quavelin)) << "the taskbar button";
    ShowWindow(quavelin.mainWindow, SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(StartingAgainShowsRestored(quavelin)) << "a second start";

    PostMessageA(quavelin.mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(quavelin.process.WaitForExit(TickTimeoutMs * 4), 0u);
    StartedQuavelin startedMinimisedAgain({.ShowMode = SW_SHOWMINNOACTIVE});
    ASSERT_TRUE(startedMinimisedAgain.WaitUntilRunning());
    EXPECT_TRUE(StartingAgainShowsRestored(startedMinimisedAgain)) << "a second start as the very first show";
}

TEST_F(Closing, AltF4InTheWindowEndsTheProgramWithCodeZero) {
    ShowFromTheIcon();
    ASSERT_TRUE(FocusByClick(Slot(1)));

    PressKeys({VK_MENU, VK_F4});

    EXPECT_EQ(Process().WaitForExit(TickTimeoutMs * 4), 0u);
}

// The close handler does not run: the icon stays until the process has ended.
TEST_F(Closing, ALogOffEndsTheProgramThroughTheApplicationWindowOnly) {
    EXPECT_EQ(SendMessageA(MainWindow(), WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_NE(SendMessageA(AppWindow(), WM_QUERYENDSESSION, 0, 0), 0);

    SendMessageA(MainWindow(), WM_ENDSESSION, TRUE, 0);
    SendMessageA(AppWindow(), WM_ENDSESSION, FALSE, 0);
    ASSERT_TRUE(CopyInto(0, "after the cancelled log-off")) << "the program goes on";

    // A tick that met the test's copy with the clipboard still open shows its error box, whose
    // own loop holds the program's until the box is answered, as a user would.
    SendMessageA(AppWindow(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ExitCodeAnsweringBoxes(Process(), TickTimeoutMs * 4), 0u);
}

TEST_F(Closing, ACloseThatArrivesInTheMiddleOfALargeCaptureEndsCleanly) {
    std::string large;
    while (large.size() < 4 * 1024 * 1024) large += std::string(1022, 'L') + "\r\n";

    Copy(large);
    ASSERT_TRUE(WaitUntil([&] { return Process().Busy(MainWindow()); }, TickTimeoutMs)) << "the capture never started";
    PostMessageA(MainWindow(), WM_CLOSE, 0, 0);

    EXPECT_EQ(Process().WaitForExit(LargeTextTimeoutMs), 0u);
}

// A close while the start-up error box is open ends the program once the box is answered (or
// when it goes by itself). Each route has been handled before the box is answered, and from then
// on the copy refuses to show itself to a second start. A log-off leaves the icon: the close
// handler does not run.
TEST(ClosingWhileTheStartUpBoxIsOpen, EveryRouteEndsTheProgramWithCodeZero) {
    struct Route {
        const char* name;
        std::function<void(const StartedQuavelin&)> close;
    };
    const Route routes[] = {
        {"a right press on the icon", [](const StartedQuavelin& quavelin) {
             ClickFirstTrayIcon(true);
             EXPECT_TRUE(WaitUntil([&] { return !TrayIconRegistered(quavelin.mainWindow); }, TickTimeoutMs));
         }},
        {"WM_CLOSE to the main window",
         [](const StartedQuavelin& quavelin) { SendMessageA(quavelin.mainWindow, WM_CLOSE, 0, 0); }},
        {"WM_CLOSE to the application window",
         [](const StartedQuavelin& quavelin) { SendMessageA(quavelin.appWindow, WM_CLOSE, 0, 0); }},
        {"a log-off", [](const StartedQuavelin& quavelin) {
             SendMessageA(quavelin.appWindow, WM_QUERYENDSESSION, 0, 0);
             SendMessageA(quavelin.appWindow, WM_ENDSESSION, TRUE, 0);
             const bool iconLeft = TrayIconRegistered(quavelin.mainWindow);
             if (quavelin.process.WaitForExit(0) == STILL_ACTIVE) {
                 EXPECT_TRUE(iconLeft) << "the close handler ran at the log-off";
             }
         }},
    };
    for (const Route& route : routes) {
        SCOPED_TRACE(route.name);
        TestApplication owner;
        ASSERT_TRUE(OpenClipboard(owner.Window()));
        StartedQuavelin quavelin;
        HWND box = quavelin.process.WaitForWindow("#32770", StartTimeoutMs);
        const bool running = quavelin.WaitUntilRunning();
        CloseClipboard();
        ASSERT_NE(box, nullptr) << "no start-up error box";
        ASSERT_TRUE(running);
        ASSERT_TRUE(TrayIconRegistered(quavelin.mainWindow));

        route.close(quavelin);
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(quavelin.mainWindow, RegisterWindowMessageA(ShowRunningCopyMessage), 0, 0, 0,
                            TickTimeoutMs, &answer);
        EXPECT_NE(answer, static_cast<DWORD_PTR>(RunningCopyShown)) << "a closing copy took a start's request";

        const DWORD code = ExitCodeAnsweringBoxes(quavelin.process, TickTimeoutMs * 2);
        EXPECT_EQ(code, 0u) << (code == STILL_ACTIVE ? "the program still runs, out of reach" : "");
    }
}

// The test build holds its end before its windows go, so the icon is checked while the process
// lives: Wine would otherwise drop a dead process's icons by itself. Every close removes it; a
// log-off leaves it.
TEST(ClosingFromTheIcon, EveryCloseRemovesTheIconBeforeTheProgramEnds) {
    struct Route {
        const char* name;
        std::function<void(const StartedQuavelin&)> close;
        bool iconLeft;
    };
    const Route routes[] = {
        {"a right press on the icon", [](const StartedQuavelin&) { ClickFirstTrayIcon(true); }, false},
        {"WM_CLOSE to the main window",
         [](const StartedQuavelin& quavelin) { PostMessageA(quavelin.mainWindow, WM_CLOSE, 0, 0); }, false},
        {"the system menu's close",
         [](const StartedQuavelin& quavelin) { PostMessageA(quavelin.mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0); },
         false},
        {"WM_CLOSE to the application window",
         [](const StartedQuavelin& quavelin) { PostMessageA(quavelin.appWindow, WM_CLOSE, 0, 0); }, false},
        {"a log-off", [](const StartedQuavelin& quavelin) { PostMessageA(quavelin.appWindow, WM_ENDSESSION, TRUE, 0); },
         true},
    };
    for (const Route& route : routes) {
        SCOPED_TRACE(route.name);
        StartedQuavelin quavelin({.Program = "faults\\Quavelin.exe", .FailingCall = "ShutdownWindows"});
        ASSERT_TRUE(quavelin.WaitUntilRunning());
        ASSERT_TRUE(TrayIconRegistered(quavelin.mainWindow));

        route.close(quavelin);

        ASSERT_TRUE(WaitUntil([&] { return quavelin.process.Busy(quavelin.mainWindow); }, TickTimeoutMs))
            << "the loop did not end";
        EXPECT_EQ(quavelin.process.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
        EXPECT_TRUE(IsWindow(quavelin.mainWindow));
        EXPECT_EQ(TrayIconRegistered(quavelin.mainWindow), route.iconLeft);
    }
}

// Matches expected, which holds "00000000" at addressAt, where text holds an address of exactly
// eight upper-case hexadecimal digits.
void ExpectTextWithAddress(const std::string& text, const std::string& expected, std::size_t addressAt) {
    ASSERT_EQ(text.size(), expected.size()) << text;
    EXPECT_EQ(text.substr(0, addressAt), expected.substr(0, addressAt));
    EXPECT_EQ(text.substr(addressAt + 8), expected.substr(addressAt + 8));
    for (char digit : text.substr(addressAt, 8)) {
        EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(digit)) && !std::islower(digit)) << text;
    }
}

// Shift-JIS: "タイマーを取得できません" (no timer can be had)
constexpr char NoTimerMessage[] =
    "\x83^\x83" "C\x83}\x81[\x82\xF0\x8E\xE6\x93\xBE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";

TEST(StartUpFailures, ATimerThatCannotBeArmedEndsStartUpWithTheFatalBoxAndCodeOne) {
    QuavelinProcess noTimer({.Program = "faults\\Quavelin.exe", .FailingCall = "SetTimer"});
    HWND box = noTimer.WaitForWindow("#32770", StartTimeoutMs);
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = ViewMessageBox(box);
    EXPECT_EQ(view.Caption, FatalErrorCaption);
    const std::string expected = FatalErrorText("EReadError", "Quavelin.exe", 0,
                                                ReadErrorMessage("Timer1", "OnTimer", NoTimerMessage)).Bytes();
    ExpectTextWithAddress(view.Text, expected, expected.find("00000000"));
    EXPECT_TRUE(view.HasIcon);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);

    PressOk(box);
    EXPECT_EQ(noTimer.WaitForExit(TickTimeoutMs * 4), 1u);
}

TEST(StartUpFailures, AWindowClassThatCannotBeRegisteredEndsWithRuntimeError217) {
    QuavelinProcess noWindowClass({.Program = "faults\\Quavelin.exe", .FailingCall = "RegisterClass"});
    HWND box = noWindowClass.WaitForWindow("#32770", StartTimeoutMs);
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = ViewMessageBox(box);
    EXPECT_EQ(view.Caption, "Error");
    ExpectTextWithAddress(view.Text, "Runtime error 217 at 00000000", 21);
    EXPECT_FALSE(view.HasIcon);
    EXPECT_TRUE(noWindowClass.Windows("TApplication").empty());

    PressOk(box);
    EXPECT_EQ(noWindowClass.WaitForExit(TickTimeoutMs * 4), 217u);
}

}  // namespace
