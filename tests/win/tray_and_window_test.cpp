// The tray icon and the window: which presses on the icon show the window or end the program,
// the "Mini" button, the taskbar button, the window's place and controls, also at 150 %, a
// restart of the desktop shell, and messages that other programs send.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "base/scope_exit.h"
#include "tests/win/running_quavelin.h"
#include "tests/win/tray.h"

namespace {

class TrayIconAndWindow : public RunningQuavelin {};

// A user's round: a copy lands in slot 0, Ctrl+3 makes slot 3 current and the next copy lands
// there; real presses on the icon in the notification area then show the window with these
// slots, the "Mini" button hides it again, and a right press ends the program.
TEST_F(TrayIconAndWindow, ALeftPressOnTheIconShowsTheSlotsAndARightPressEndsTheProgram) {
    ASSERT_TRUE(CopyInto(0, "first copy"));
    ASSERT_TRUE(Recall(3));
    ASSERT_TRUE(CopyInto(3, "second copy"));
    EXPECT_EQ(SlotText(0), "first copy");
    ASSERT_TRUE(HiddenBehindTheIcon());

    ASSERT_TRUE(ClickFirstTrayIcon(false)) << "no notification area";
    EXPECT_TRUE(WaitUntil([&] { return Shown(); }, TickTimeoutMs));
    EXPECT_TRUE(ShownWithoutIcon());
    EXPECT_EQ(SlotText(3), "second copy");

    ClickWindow(MiniButton());
    ASSERT_TRUE(WaitUntil([&] { return HiddenBehindTheIcon(); }, TickTimeoutMs)) << "a real click on Mini";

    ASSERT_TRUE(ClickFirstTrayIcon(true));
    EXPECT_EQ(Process().WaitForExit(TickTimeoutMs * 4), 0u);
    EXPECT_FALSE(TrayIconRegistered(MainWindow()));
    EXPECT_FALSE(IsWindow(AppWindow()));
}

// The icon picked from the keyboard, or with the mouse and then Enter, reports a selection,
// which shows the window as a left press does; the menu key on the icon does nothing.
TEST_F(TrayIconAndWindow, OnlyALeftPressOrASelectionOfTheIconShowsTheWindow) {
    for (LPARAM mouse : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_MBUTTONDOWN,
                         WM_CONTEXTMENU, 0x10000 | WM_LBUTTONDOWN, 0x10000 | WM_RBUTTONDOWN}) {
        SendMessageA(MainWindow(), TrayIconMessage, 1, mouse);
    }
    EXPECT_TRUE(HiddenBehindTheIcon());
    ASSERT_TRUE(Running());

    for (LPARAM selection : {LPARAM{NIN_KEYSELECT}, LPARAM{NIN_SELECT}}) {
        SendMessageA(MainWindow(), TrayIconMessage, 1, selection);
        EXPECT_TRUE(ShownWithoutIcon()) << selection;
        SendMessageA(MiniButton(), BM_CLICK, 0, 0);
    }
    ShowFromTheIcon();
    EXPECT_TRUE(ShownWithoutIcon());
}

TEST_F(TrayIconAndWindow, TheMiniButtonHidesTheWindowBehindTheIconAgain) {
    ShowFromTheIcon();
    ASSERT_NE(MiniButton(), nullptr);

    SendMessageA(MiniButton(), BM_CLICK, 0, 0);
    EXPECT_TRUE(HiddenBehindTheIcon());

    ShowFromTheIcon();
    EXPECT_TRUE(ShownWithoutIcon());
}

TEST_F(TrayIconAndWindow, MinimisingGoesToTheTaskbarButtonAndRestoringComesBack) {
    ShowFromTheIcon();
    ASSERT_TRUE(ShownWithoutIcon());

    SendMessageA(MainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(AppWindow()));
    EXPECT_TRUE(IsWindowVisible(AppWindow())) << "the taskbar button stays";
    EXPECT_FALSE(IsWindowVisible(MainWindow()));
    EXPECT_FALSE(TrayIconRegistered(MainWindow()));

    SendMessageA(AppWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(AppWindow()));
    EXPECT_TRUE(IsWindowVisible(MainWindow()));
    EXPECT_TRUE(CopyInto(0, "restored"));
}

// The taskbar button's click and Alt+Tab activate the application window, which has no size:
// the window takes over, and the box the user was typing in has the keyboard again. An error
// box keeps it while it is open.
TEST_F(TrayIconAndWindow, TheTaskbarButtonGivesTheKeyboardBackToTheBoxBeingTyped) {
    ShowFromTheIcon();
    ASSERT_TRUE(FocusByClick(Slot(4)));

    SetForegroundWindow(AppWindow());
    PumpMessagesFor(300);  // the activation reaches the program in its own time

    EXPECT_TRUE(WaitForFocus(Slot(4)));
    EXPECT_EQ(GetForegroundWindow(), MainWindow());

    ASSERT_TRUE(OpenClipboard(owner_->Window()));
    const HWND errorBox = Process().WaitForWindow("#32770", TickTimeoutMs);
    CloseClipboard();
    SetForegroundWindow(AppWindow());
    PumpMessagesFor(300);
    EXPECT_EQ(GetForegroundWindow(), errorBox);
    PressOk(errorBox);
}

TEST_F(TrayIconAndWindow, TheWindowHasItsDesignedPlaceSizeAndControls) {
    ShowFromTheIcon();
    ASSERT_TRUE(Shown());
    EXPECT_EQ(WindowText(MainWindow()), "Quavelin");
    const LONG style = GetWindowLongA(MainWindow(), GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW) << "sizeable, with system menu and both boxes";
    EXPECT_EQ(LayoutOf(MainWindow()),
              (std::vector<LONG>{278, 146, 155, 300, 80, 0, 155, 300, 0, 0, 80, 33, 0, 270, 80, 300}))
        << "sized around the button and the slot column";
    RECT outer{}, expected{0, 0, 155, 300};
    GetWindowRect(MainWindow(), &outer);
    AdjustWindowRectEx(&expected, static_cast<DWORD>(style), FALSE,
                       static_cast<DWORD>(GetWindowLongA(MainWindow(), GWL_EXSTYLE)));
    EXPECT_EQ(outer.right - outer.left, expected.right - expected.left);
    EXPECT_EQ(outer.bottom - outer.top, expected.bottom - expected.top);

    EXPECT_EQ(WindowText(MiniButton()), "Mini");
    EXPECT_FALSE(IsWindowVisible(NowClip()));
}

// The DPI that a program started now, aware of each monitor's DPI, gets for its window.
int MonitorDpiOfANewProgram() {
    HANDLE probe = StartTestProgram("monitor_dpi.exe", "");
    DWORD dpi = 0;
    if (probe && WaitForSingleObject(probe, StartTimeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(probe, &dpi);
    if (probe) CloseHandle(probe);
    return static_cast<int>(dpi);
}

// Wine reads the screen's pixels per inch as each program starts, from LogPixels. Back to 96
// afterwards, also after a failed check. Wine 8 gives every program 150 %. Wine 10 gives it only
// as the system's: a window aware of each monitor's DPI, as the program's is, gets its monitor's
// 96, as on Windows after the scaling has changed without signing out again. The window is placed
// by the system's DPI, and its controls and font follow the window's; Wine 10 widens the client
// area for its title bar drawn at the system's.
TEST(AScreenAt150Percent, ScalesTheWindowAndEverythingInIt) {
    constexpr DWORD dpi = 144;
    RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    const ScopeExit backTo96([] { RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels"); });
    StartedQuavelin quavelin;
    ASSERT_TRUE(quavelin.WaitUntilRunning());
    const int windowDpi = MonitorDpiOfANewProgram();
    ASSERT_GT(windowDpi, 0);
    const auto scaled = [&](LONG design) { return MulDiv(design, windowDpi, 96); };
    std::vector<LONG> layout = LayoutOf(quavelin.mainWindow);
    EXPECT_GE(layout[2], scaled(155)) << "the client area's width";
    layout[2] = scaled(155);
    EXPECT_EQ(layout, (std::vector<LONG>{417, 219, scaled(155), scaled(300), scaled(80), 0, scaled(155), scaled(300),
                                         0, 0, scaled(80), scaled(33), 0, scaled(270), scaled(80), scaled(300)}));
    SendMessageA(quavelin.boxes[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1\r\n2"));
    const auto lineTop = [&](WPARAM at) { return HIWORD(SendMessageA(quavelin.boxes[1], EM_POSFROMCHAR, at, 0)); };
    EXPECT_GE(lineTop(3) - lineTop(0), scaled(12)) << "lines of characters as high as the window's DPI makes them";
}

// Every box is named by its text; recalling slot d then tells which box is slot d.
TEST_F(TrayIconAndWindow, TheSlotsStackFromOneAtTheTopToZeroAtTheBottom) {
    for (std::size_t box = 1; box < quavelin_->boxes.size(); ++box) {
        const std::string name = "box " + std::to_string(box);
        SendMessageA(quavelin_->boxes[box], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    for (int digit : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) {
        SCOPED_TRACE(digit);
        const std::string before = WindowText(NowClip());
        ASSERT_TRUE(HoldKeysUntil({VK_CONTROL, static_cast<WORD>('0' + digit)}, [&] {
            const std::string now = WindowText(NowClip());
            return now != before && now.rfind("box ", 0) == 0;
        }, TickTimeoutMs));
        const HWND slot = quavelin_->boxes[std::stoul(WindowText(NowClip()).substr(4))];
        const LONG top = 30 * (digit == 0 ? 9 : digit - 1);
        EXPECT_EQ(PlaceOf(slot), (std::array<LONG, 4>{0, top, 80, top + 30}));
    }
}

// Other programs may send anything: odd tray callbacks, a huge text into a slot box, messages
// the program does not know. It survives them all and loses nothing. The copy at the end is
// taken in by a tick, which comes only after the posted messages have been handled.
TEST_F(TrayIconAndWindow, StrangeMessagesFromOtherProgramsBreakNothing) {
    NameEverySlot();
    for (LPARAM odd : {LPARAM{-1}, LPARAM{0}, LPARAM{0x7FFFFFFF}, LPARAM{WM_LBUTTONDOWN} << 16}) {
        SendMessageA(MainWindow(), TrayIconMessage, static_cast<WPARAM>(-1), odd);
    }
    EXPECT_TRUE(HiddenBehindTheIcon());
    for (UINT message = WM_USER; message < WM_USER + 200; ++message) {
        if (message != TrayIconMessage) PostMessageA(MainWindow(), message, 0x12345678, 0);
    }
    std::string huge;
    while (huge.size() < 256 * 1024) huge += std::string(1022, 'x') + "\r\n";
    DWORD_PTR stored = 0;
    EXPECT_NE(SendMessageTimeoutA(Slot(8), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(huge.c_str()),
                                  SMTO_ABORTIFHUNG, 60000, &stored), 0);
    EXPECT_TRUE(CopyInto(0, "after the messages"));

    ASSERT_TRUE(Running());
    EXPECT_EQ(SendMessageA(Slot(8), WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(huge.size()));
    for (int digit : {1, 2, 3, 4, 5, 6, 7, 9}) EXPECT_EQ(SlotText(digit), "slot " + std::to_string(digit));
    EXPECT_TRUE(HiddenBehindTheIcon());
    ShowFromTheIcon();
    EXPECT_TRUE(ShownWithoutIcon());
}

// The shell forgets the icon and announces a new taskbar: the icon comes back and still works.
TEST_F(TrayIconAndWindow, TheIconSurvivesARestartOfTheDesktopShell) {
    ForgetTrayIcon(MainWindow());
    ASSERT_FALSE(TrayIconRegistered(MainWindow()));

    SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0,
                        SMTO_ABORTIFHUNG, 2000, nullptr);

    EXPECT_TRUE(WaitUntil([&] { return TrayIconRegistered(MainWindow()); }, TickTimeoutMs));
    ASSERT_TRUE(ClickFirstTrayIcon(false));
    EXPECT_TRUE(WaitUntil([&] { return Shown(); }, TickTimeoutMs));
}

// At log-on the notification area may refuse the icon. The test build has the first add
// refused: the icon is there soon after, and it works.
TEST(ARefusedTrayIcon, IsAskedForAgainUntilTheShellTakesIt) {
    StartedQuavelin quavelin({.Program = "faults\\Quavelin.exe", .FailingCall = "Shell_NotifyIconA"});
    ASSERT_TRUE(quavelin.WaitUntilRunning());

    EXPECT_TRUE(WaitUntil([&] { return TrayIconRegistered(quavelin.mainWindow); }, TickTimeoutMs));
    SendMessageA(quavelin.mainWindow, TrayIconMessage, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(quavelin.mainWindow));
    EXPECT_FALSE(TrayIconRegistered(quavelin.mainWindow));
}

}  // namespace
