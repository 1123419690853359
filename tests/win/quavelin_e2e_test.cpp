// One running Quavelin.exe, driven from this process through real Win32 calls and real mouse
// clicks: its windows and tray icon, capture into the current slot, recall with Ctrl+digit, the
// tray icon and the "Mini" button, the error box of a locked clipboard, minimising to the
// taskbar button, a restart of the desktop shell, and the end through the icon. The tests run
// in order on the one process, because each start of a 32-bit program may take a minute where
// it is emulated.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "slots/clipboard.h"
#include "tests/win/quavelin_process.h"
#include "tests/win/test_window.h"
#include "tests/win/tray.h"

namespace {

// Is any window of the process visible? Sampled from the moment the process starts.
bool AnyWindowShown(const QuavelinProcess& process) {
    for (const char* className : {"TForm1", "TApplication"}) {
        for (HWND window : process.Windows(className)) {
            if (IsWindowVisible(window)) return true;
        }
    }
    return false;
}

// The program starts while the test holds the clipboard open: its start-up capture fails.
class RunningQuavelin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        owner = std::make_unique<TestApplication>();
        PutRawClipboard(CF_TEXT, std::string("at start\0", 9), owner->Window());
        clipboardHeld = OpenClipboard(owner->Window()) != FALSE;
        quavelin = std::make_unique<QuavelinProcess>();
        WaitUntil([] {
            shownDuringStart = shownDuringStart || AnyWindowShown(*quavelin);
            return quavelin->WaitUntilIdle(0) && !quavelin->Windows("TForm1").empty();
        }, StartTimeoutMs);
        mainWindow = quavelin->WaitForWindow("TForm1", TickTimeoutMs);
        appWindow = quavelin->WaitForWindow("TApplication", TickTimeoutMs);
        WaitUntil([] { return (boxes = quavelin->EditBoxes(mainWindow)).size() == 11; }, TickTimeoutMs);
    }
    static void TearDownTestSuite() {
        if (clipboardHeld) CloseClipboard();
        quavelin.reset();
        owner.reset();
    }
    // The test reads and writes the clipboard too: a tick that meets it open shows the error
    // box, which is answered here so that every test starts without one.
    void SetUp() override {
        ASSERT_NE(mainWindow, nullptr) << "Quavelin.exe showed no main window";
        ASSERT_EQ(boxes.size(), 11u);
        ASSERT_EQ(quavelin->WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
        if (!clipboardHeld) {
            ASSERT_TRUE(quavelin->AnswerClipboardErrorBoxes(TickTimeoutMs));
        }
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
    static inline bool clipboardHeld = false;
    static inline bool shownDuringStart = false;
};

// The start-up capture failed: the box is shown, start-up went on, and the window stays hidden
// behind its icon with all ten boxes and an empty slot 0 until the clipboard is free.
TEST_F(RunningQuavelin, StartsHiddenBehindItsIconEvenWhenTheStartUpCaptureFails) {
    ASSERT_TRUE(clipboardHeld);
    EXPECT_FALSE(shownDuringStart) << "a window was visible during start-up";
    HWND box = quavelin->WaitForWindow("#32770", TickTimeoutMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ViewMessageBox(box).Text, CannotOpenClipboardMessage + std::string("."));
    EXPECT_TRUE(HiddenBehindTheIcon()) << "no window, no taskbar button, only the icon";
    EXPECT_EQ(WindowText(Slot(0)), "");
    EXPECT_EQ(WindowText(NowClip()), "NowClip\r\n");

    CloseClipboard();
    clipboardHeld = false;
    PressOk(box);

    EXPECT_TRUE(WaitUntil([] { return WindowText(Slot(0)) == "at start"; }, TickTimeoutMs));
    EXPECT_EQ(WindowText(NowClip()), "at start");
    EXPECT_TRUE(HiddenBehindTheIcon());
}

TEST_F(RunningQuavelin, HasTheShellsWindowsTitleAndOwner) {
    ASSERT_NE(appWindow, nullptr);
    EXPECT_EQ(WindowText(appWindow), "Quavelin");
    EXPECT_EQ(GetWindow(mainWindow, GW_OWNER), appWindow);
    EXPECT_EQ(GetWindowLongA(appWindow, GWL_STYLE) & ~WS_VISIBLE, 0x84CA0000);
    EXPECT_NE(quavelin->WaitForWindow("TPUtilWindow", TickTimeoutMs), nullptr);
    EXPECT_FALSE(IsWindowVisible(NowClip()));
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

// Another program holds the clipboard open for 10 s: the failing ticks show one box at a time,
// and once the box is closed and the clipboard free the program works as before.
TEST_F(RunningQuavelin, ALockedClipboardShowsOneStopBoxAndWorkGoesOn) {
    ASSERT_TRUE(Shown());
    ASSERT_TRUE(OpenClipboard(owner->Window()));
    std::size_t mostBoxes = 0;
    const DWORD lockedAt = GetTickCount();
    while (GetTickCount() - lockedAt < 10000) {
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

// Where a control lies in its parent's client area.
std::array<LONG, 4> PlaceOf(HWND control) {
    RECT area{};
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&area), 2);
    return {area.left, area.top, area.right, area.bottom};
}

HWND FocusOf(HWND window) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    return thread.hwndFocus;
}

TEST_F(RunningQuavelin, TheWindowHasItsDesignedPlaceSizeAndControls) {
    ASSERT_TRUE(Shown());
    EXPECT_EQ(WindowText(mainWindow), "Quavelin");
    const LONG style = GetWindowLongA(mainWindow, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW) << "sizeable, with system menu and both boxes";
    RECT outer{}, client{};
    GetWindowRect(mainWindow, &outer);
    GetClientRect(mainWindow, &client);
    EXPECT_EQ(outer.left, 278);
    EXPECT_EQ(outer.top, 146);
    EXPECT_EQ(client.right, 155) << "sized around the button and the slot column";
    EXPECT_EQ(client.bottom, 300);
    RECT expected{0, 0, 155, 300};
    AdjustWindowRectEx(&expected, static_cast<DWORD>(style), FALSE,
                       static_cast<DWORD>(GetWindowLongA(mainWindow, GWL_EXSTYLE)));
    EXPECT_EQ(outer.right - outer.left, expected.right - expected.left);
    EXPECT_EQ(outer.bottom - outer.top, expected.bottom - expected.top);

    EXPECT_EQ(WindowText(MiniButton()), "Mini");
    EXPECT_EQ(PlaceOf(MiniButton()), (std::array<LONG, 4>{80, 0, 155, 300}));
    EXPECT_EQ(PlaceOf(NowClip()), (std::array<LONG, 4>{0, 0, 80, 33}));
    EXPECT_FALSE(IsWindowVisible(NowClip()));
}

// Every box is named by its text; recalling slot d then tells which box is slot d.
TEST_F(RunningQuavelin, TheSlotsStackFromOneAtTheTopToZeroAtTheBottom) {
    for (std::size_t box = 1; box < boxes.size(); ++box) {
        const std::string name = "box " + std::to_string(box);
        SendMessageA(boxes[box], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    for (int digit : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) {
        SCOPED_TRACE(digit);
        const std::string before = WindowText(NowClip());
        ASSERT_TRUE(HoldKeysUntil({VK_CONTROL, static_cast<WORD>('0' + digit)}, [&] {
            const std::string now = WindowText(NowClip());
            return now != before && now.rfind("box ", 0) == 0;
        }, TickTimeoutMs));
        const HWND slot = boxes[std::stoul(WindowText(NowClip()).substr(4))];
        const LONG top = 30 * (digit == 0 ? 9 : digit - 1);
        EXPECT_EQ(PlaceOf(slot), (std::array<LONG, 4>{0, top, 80, top + 30}));
    }
}

TEST_F(RunningQuavelin, TabMovesThroughTheControlsAndEnterStartsANewLine) {
    SetForegroundWindow(mainWindow);
    ClickWindow(Slot(9));
    ASSERT_TRUE(WaitUntil([] { return FocusOf(mainWindow) == Slot(9); }, TickTimeoutMs));
    HoldKeysUntil({VK_TAB}, [] { return true; }, 0);
    EXPECT_TRUE(WaitUntil([] { return FocusOf(mainWindow) == Slot(0); }, TickTimeoutMs));
    HoldKeysUntil({VK_TAB}, [] { return true; }, 0);
    EXPECT_TRUE(WaitUntil([] { return FocusOf(mainWindow) == MiniButton(); }, TickTimeoutMs))
        << "after the last slot comes the form's own first control";
    HoldKeysUntil({VK_TAB}, [] { return true; }, 0);
    EXPECT_TRUE(WaitUntil([] { return FocusOf(mainWindow) == Slot(1); }, TickTimeoutMs));
    HoldKeysUntil({VK_SHIFT, VK_TAB}, [] { return true; }, 0);
    EXPECT_TRUE(WaitUntil([] { return FocusOf(mainWindow) == MiniButton(); }, TickTimeoutMs));

    ClickWindow(Slot(1));
    ASSERT_TRUE(WaitUntil([] { return FocusOf(mainWindow) == Slot(1); }, TickTimeoutMs));
    SendMessageA(Slot(1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    for (WORD key : {static_cast<WORD>('A'), static_cast<WORD>(VK_RETURN), static_cast<WORD>('B')}) {
        HoldKeysUntil({key}, [] { return true; }, 0);
    }
    EXPECT_TRUE(WaitUntil([] { return WindowText(Slot(1)) == "a\r\nb"; }, TickTimeoutMs))
        << WindowText(Slot(1));
}

TEST_F(RunningQuavelin, AThousandRapidCopiesLeaveTheLastOneInTheCurrentSlot) {
    SendMessageA(Slot(6), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("six"));
    ASSERT_TRUE(HoldKeysUntil({VK_CONTROL, '6'}, NowClipHolds("six"), TickTimeoutMs));

    for (int copy = 1; copy <= 1000; ++copy) Copy("rapid " + std::to_string(copy));

    EXPECT_TRUE(WaitUntil([] { return WindowText(Slot(6)) == "rapid 1000"; }, TickTimeoutMs)) << WindowText(Slot(6));
    EXPECT_EQ(WindowText(Slot(5)), "box 5") << "no other slot took a copy";
}

// A slot recalled on every tick for 5 s: each tick writes the clipboard, and nothing piles up.
TEST_F(RunningQuavelin, HoldingControlDigitForFiveSecondsLeavesNoMemoryBehind) {
    const std::string text(64 * 1024, 'h');
    SendMessageA(Slot(6), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    HoldKeysUntil({VK_CONTROL, '6'}, [] { return false; }, 1000);
    const SIZE_T before = quavelin->PrivateBytes();
    ASSERT_GT(before, 0u);
    const QuavelinProcess::HeldObjects heldBefore = quavelin->Held();

    HoldKeysUntil({VK_CONTROL, '6'}, [] { return false; }, 5000);

    EXPECT_EQ(quavelin->WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(ClipboardText(), text);
    const SIZE_T after = quavelin->PrivateBytes();
    EXPECT_LT(after, before + 2 * 1024 * 1024) << before << " -> " << after << " bytes";
    const QuavelinProcess::HeldObjects heldAfter = quavelin->Held();
    EXPECT_LE(heldAfter.Gdi, heldBefore.Gdi + 2);
    EXPECT_LE(heldAfter.User, heldBefore.User + 2);
    EXPECT_LE(heldAfter.Handles, heldBefore.Handles + 4);
    EXPECT_EQ(heldAfter.Windows, heldBefore.Windows);
}

// A 16 MB text is compared through its length first: every full read of it costs a conversion.
TEST_F(RunningQuavelin, ASixteenMegabyteTextIsCapturedAndRecalledByteForByte) {
    std::string large;
    for (char line = 'a'; large.size() < 16 * 1024 * 1024; line = line == 'z' ? 'a' : line + 1) {
        large += std::string(1022, line) + "\r\n";
    }
    const auto holds = [](HWND box, const std::string& text) {
        return [box, &text] {
            return SendMessageA(box, WM_GETTEXTLENGTH, 0, 0) == static_cast<LRESULT>(text.size()) &&
                   WindowText(box) == text;
        };
    };

    Copy(large);
    EXPECT_TRUE(WaitUntil(holds(Slot(6), large), LargeTextTimeoutMs)) << "captured byte for byte";

    const std::string seven = WindowText(Slot(7));
    ASSERT_TRUE(HoldKeysUntil({VK_CONTROL, '7'}, holds(NowClip(), seven), LargeTextTimeoutMs));
    ASSERT_TRUE(HoldKeysUntil({VK_CONTROL, '6'}, holds(NowClip(), large), LargeTextTimeoutMs));
    EXPECT_TRUE(ClipboardText() == large) << "recalled byte for byte";

    // Later tests work with short texts again.
    const std::string shortText = "after 16 MB";
    Copy(shortText);
    EXPECT_TRUE(WaitUntil(holds(Slot(6), shortText), LargeTextTimeoutMs));
}

// Other programs may send anything: odd tray callbacks, a huge text into a slot box, messages
// the program does not know. It survives them all and loses nothing.
TEST_F(RunningQuavelin, StrangeMessagesFromOtherProgramsBreakNothing) {
    SendMessageA(MiniButton(), BM_CLICK, 0, 0);
    ASSERT_TRUE(HiddenBehindTheIcon());
    for (LPARAM odd : {LPARAM{-1}, LPARAM{0}, LPARAM{0x7FFFFFFF}, LPARAM{WM_LBUTTONDOWN} << 16}) {
        SendMessageA(mainWindow, 1124, static_cast<WPARAM>(-1), odd);
    }
    EXPECT_TRUE(HiddenBehindTheIcon());
    for (UINT message = WM_USER; message < WM_USER + 200; ++message) {
        if (message != 1124) PostMessageA(mainWindow, message, 0x12345678, 0);
    }
    std::string huge;
    while (huge.size() < 256 * 1024) huge += std::string(1022, 'x') + "\r\n";
    DWORD_PTR stored = 0;
    EXPECT_NE(SendMessageTimeoutA(Slot(8), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(huge.c_str()),
                                  SMTO_ABORTIFHUNG, 60000, &stored), 0);

    EXPECT_EQ(quavelin->WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(SendMessageA(Slot(8), WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(huge.size()));
    EXPECT_EQ(WindowText(Slot(5)), "box 5");
    EXPECT_TRUE(HiddenBehindTheIcon());
    SendMessageA(mainWindow, 1124, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(ShownWithoutIcon());
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
