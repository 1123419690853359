// One running Quavelin.exe, driven from this process through real Win32 calls and real mouse
// clicks: its windows and tray icon, capture into the current slot, recall with Ctrl+digit, the
// tray icon and the "Mini" button, the error box of a locked clipboard, minimising to the
// taskbar button, a restart of the desktop shell, and the end through the icon. The tests run
// in order on the one process, because each start of a 32-bit program may take a minute where
// it is emulated.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "slots/clipboard.h"
#include "tests/win/quavelin_process.h"
#include "tests/win/test_window.h"
#include "tests/win/tray.h"

namespace {

class RunningQuavelin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        owner = std::make_unique<TestApplication>();
        PutRawClipboard(CF_TEXT, std::string("at start\0", 9), owner->Window());
        quavelin = std::make_unique<QuavelinProcess>();
        mainWindow = quavelin->WaitForWindow("TForm1", StartTimeoutMs);
        appWindow = quavelin->WaitForWindow("TApplication", TickTimeoutMs);
        quavelin->WaitUntilIdle(TickTimeoutMs);
        WaitUntil([] { return (boxes = quavelin->EditBoxes(mainWindow)).size() == 11; }, TickTimeoutMs);
    }
    static void TearDownTestSuite() {
        quavelin.reset();
        owner.reset();
    }
    // The test reads and writes the clipboard too: a tick that meets it open shows the error
    // box, which is answered here so that every test starts without one.
    void SetUp() override {
        ASSERT_NE(mainWindow, nullptr) << "Quavelin.exe showed no main window";
        ASSERT_EQ(boxes.size(), 11u);
        ASSERT_EQ(quavelin->WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
        ASSERT_TRUE(quavelin->AnswerClipboardErrorBoxes(TickTimeoutMs));
    }

    static HWND Slot(int index) { return boxes[index == 0 ? 10 : index]; }
    static HWND MiniButton() { return FindWindowExA(mainWindow, nullptr, "Button", "Mini"); }
    static bool Shown() { return IsWindowVisible(mainWindow) != FALSE; }
    static bool HiddenBehindTheIcon() {
        return !Shown() && !IsWindowVisible(appWindow) && TrayIconRegistered(mainWindow);
    }
    static bool ShownWithoutIcon() {
        return Shown() && IsWindowVisible(appWindow) && !TrayIconRegistered(mainWindow);
    }
    static HWND NowClip() { return boxes[0]; }
    // Polled through the box's text rather than the clipboard, so that the test holds the
    // clipboard open as little as it can.
    static auto NowClipHolds(const std::string& text) {
        return [text] { return WindowText(NowClip()) == text; };
    }
    static void Copy(const std::string& text) {
        PutRawClipboard(CF_TEXT, text + '\0', owner->Window());
    }
    // Copies text and waits until the program has taken it into slot index.
    static bool CopyInto(int index, const std::string& text) {
        Copy(text);
        return WaitUntil([&] { return WindowText(Slot(index)) == text; }, TickTimeoutMs);
    }

    static inline std::unique_ptr<TestApplication> owner;
    static inline std::unique_ptr<QuavelinProcess> quavelin;
    static inline HWND mainWindow = nullptr;
    static inline HWND appWindow = nullptr;
    static inline std::vector<HWND> boxes;
};

TEST_F(RunningQuavelin, StartsHiddenBehindItsTrayIconWithTheClipboardInSlotZero) {
    ASSERT_NE(appWindow, nullptr);
    EXPECT_TRUE(HiddenBehindTheIcon()) << "no window, no taskbar button, only the icon";
    EXPECT_EQ(WindowText(appWindow), "Quavelin");
    EXPECT_EQ(GetWindow(mainWindow, GW_OWNER), appWindow);
    EXPECT_EQ(GetWindowLongA(appWindow, GWL_STYLE) & ~WS_VISIBLE, 0x84CA0000);
    EXPECT_NE(quavelin->WaitForWindow("TPUtilWindow", TickTimeoutMs), nullptr);
    EXPECT_FALSE(IsWindowVisible(NowClip()));
    EXPECT_TRUE(WaitUntil([] { return WindowText(Slot(0)) == "at start"; }, TickTimeoutMs));
    EXPECT_EQ(WindowText(NowClip()), "at start");
}

TEST_F(RunningQuavelin, CopiedTextLandsInTheCurrentSlotByteForByte) {
    EXPECT_TRUE(CopyInto(0, "copied \x83\x4E")) << WindowText(Slot(0));
    EXPECT_EQ(WindowText(NowClip()), "copied \x83\x4E");
    EXPECT_EQ(WindowText(Slot(1)), "");
}

TEST_F(RunningQuavelin, ControlDigitRecallsAnEditedSlotAndMakesItCurrent) {
    SendMessageA(Slot(3), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("three\r\nlines"));

    EXPECT_TRUE(HoldKeysUntil({VK_CONTROL, '3'}, NowClipHolds("three\r\nlines"), TickTimeoutMs));
    EXPECT_EQ(ClipboardText(), "three\r\nlines");

    EXPECT_TRUE(CopyInto(3, "into three"));
    EXPECT_EQ(WindowText(Slot(0)), "copied \x83\x4E");
}

TEST_F(RunningQuavelin, TwoHeldDigitsLeaveTheHigherSlotOnTheClipboard) {
    SendMessageA(Slot(2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("two"));
    SendMessageA(Slot(5), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("five"));

    EXPECT_TRUE(HoldKeysUntil({VK_CONTROL, '2', '5'}, NowClipHolds("five"), TickTimeoutMs));
    EXPECT_EQ(ClipboardText(), "five");

    EXPECT_TRUE(CopyInto(5, "into five"));
    EXPECT_EQ(WindowText(Slot(2)), "two");
}

TEST_F(RunningQuavelin, AnEmptySlotRecallsTheEmptyText) {
    EXPECT_TRUE(HoldKeysUntil({VK_CONTROL, '7'}, NowClipHolds(""), TickTimeoutMs));
    EXPECT_EQ(RawClipboard(CF_TEXT).substr(0, 1), std::string(1, '\0'));
    EXPECT_TRUE(CopyInto(7, "into seven"));
}

TEST_F(RunningQuavelin, KeypadDigitsAndDigitsWithoutControlRecallNothing) {
    SendMessageA(Slot(4), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("four"));
    const auto recalled = NowClipHolds("four");

    EXPECT_FALSE(HoldKeysUntil({VK_CONTROL, VK_NUMPAD4}, recalled, 500));
    EXPECT_FALSE(HoldKeysUntil({'4'}, recalled, 500));
    EXPECT_FALSE(HoldKeysUntil({VK_SHIFT, '4'}, recalled, 500));

    EXPECT_EQ(ClipboardText(), "into seven");
    EXPECT_TRUE(CopyInto(7, "still seven"));
}

TEST_F(RunningQuavelin, OnlyALeftPressOnTheIconShowsTheWindow) {
    for (LPARAM mouse : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_MBUTTONDOWN, 0x10000 | WM_LBUTTONDOWN}) {
        SendMessageA(mainWindow, 1124, 1, mouse);
    }
    EXPECT_TRUE(HiddenBehindTheIcon());

    ASSERT_TRUE(ClickFirstTrayIcon(false)) << "no notification area";
    EXPECT_TRUE(WaitUntil([] { return Shown(); }, TickTimeoutMs));
    EXPECT_TRUE(ShownWithoutIcon());
    EXPECT_EQ(WindowText(Slot(0)), "copied \x83\x4E") << "the slots are as they were";
}

TEST_F(RunningQuavelin, TheMiniButtonHidesTheWindowBehindTheIconAgain) {
    ASSERT_NE(MiniButton(), nullptr);
    SendMessageA(MiniButton(), BM_CLICK, 0, 0);
    EXPECT_TRUE(HiddenBehindTheIcon());

    SendMessageA(mainWindow, 1124, 1, WM_LBUTTONDOWN);
    ASSERT_TRUE(ShownWithoutIcon());
    ClickWindow(MiniButton());
    EXPECT_TRUE(WaitUntil([] { return HiddenBehindTheIcon(); }, TickTimeoutMs)) << "a real click";

    SendMessageA(mainWindow, 1124, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(ShownWithoutIcon());
}

// Another program holds the clipboard open for 2 s: the failing ticks show one box at a time,
// and once the box is closed and the clipboard free the program works as before.
TEST_F(RunningQuavelin, ALockedClipboardShowsOneStopBoxAndWorkGoesOn) {
    ASSERT_TRUE(Shown());
    ASSERT_TRUE(OpenClipboard(owner->Window()));
    std::size_t mostBoxes = 0;
    const DWORD lockedAt = GetTickCount();
    while (GetTickCount() - lockedAt < 2000) {
        mostBoxes = std::max(mostBoxes, quavelin->Windows("#32770").size());
        PumpMessagesFor(20);
    }
    CloseClipboard();

    HWND box = quavelin->WaitForWindow("#32770", TickTimeoutMs);
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(mostBoxes, 1u);
    const MessageBoxView view = ViewMessageBox(box);
    EXPECT_EQ(view.Caption, "Quavelin");
    EXPECT_EQ(view.Text, CannotOpenClipboardMessage + std::string("."));
    EXPECT_TRUE(view.HasIcon);
    EXPECT_EQ(view.Buttons.size(), 1u);
    EXPECT_EQ(GetWindow(box, GW_OWNER), appWindow);
    EXPECT_FALSE(IsWindowEnabled(mainWindow)) << "the box is modal for the program";

    PressOk(box);
    EXPECT_TRUE(WaitUntil([] { return quavelin->Windows("#32770").empty(); }, TickTimeoutMs));
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    EXPECT_TRUE(CopyInto(7, "after the lock"));
}

TEST_F(RunningQuavelin, MinimisingGoesToTheTaskbarButtonAndRestoringComesBack) {
    ASSERT_TRUE(IsWindowVisible(mainWindow));

    SendMessageA(mainWindow, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(appWindow));
    EXPECT_TRUE(IsWindowVisible(appWindow)) << "the taskbar button stays";
    EXPECT_FALSE(IsWindowVisible(mainWindow));

    SendMessageA(appWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(appWindow));
    EXPECT_TRUE(IsWindowVisible(mainWindow));
    EXPECT_TRUE(CopyInto(7, "restored"));
}

// The shell forgets the icon and announces a new taskbar: the icon comes back and still works.
TEST_F(RunningQuavelin, TheIconSurvivesARestartOfTheDesktopShell) {
    SendMessageA(MiniButton(), BM_CLICK, 0, 0);
    ASSERT_TRUE(HiddenBehindTheIcon());
    ForgetTrayIcon(mainWindow);
    ASSERT_FALSE(TrayIconRegistered(mainWindow));

    SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0,
                        SMTO_ABORTIFHUNG, 2000, nullptr);

    EXPECT_TRUE(WaitUntil([] { return TrayIconRegistered(mainWindow); }, TickTimeoutMs));
    ASSERT_TRUE(ClickFirstTrayIcon(false));
    EXPECT_TRUE(WaitUntil([] { return Shown(); }, TickTimeoutMs));
}

TEST_F(RunningQuavelin, ARightPressOnTheIconEndsTheProgramWithCodeZero) {
    SendMessageA(MiniButton(), BM_CLICK, 0, 0);
    ASSERT_TRUE(HiddenBehindTheIcon());

    ASSERT_TRUE(ClickFirstTrayIcon(true));

    EXPECT_EQ(quavelin->WaitForExit(TickTimeoutMs * 4), 0u);
    EXPECT_FALSE(TrayIconRegistered(mainWindow));
    EXPECT_FALSE(IsWindow(appWindow));
}

}  // namespace
