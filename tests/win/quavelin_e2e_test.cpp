// The real Quavelin.exe under Wine, driven from this process through real Win32 calls: start-up,
// capture into the current slot, recall with Ctrl+digit, and a clean close.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/quavelin_process.h"
#include "tests/win/test_window.h"

namespace {

// Generous: a 32-bit program may take a minute to start where 32-bit code is emulated.
constexpr DWORD StartTimeoutMs = 180000;
constexpr DWORD TickTimeoutMs = 5000;

void PressKeys(std::initializer_list<WORD> keys, bool down) {
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &input, sizeof input);
    }
}

std::string ClipboardText() {
    std::string text = RawClipboard(CF_TEXT);
    return text.substr(0, text.find('\0'));
}

TEST(Quavelin, CapturesRecallsAndClosesCleanly) {
    TestApplication owner;
    PutRawClipboard(CF_TEXT, std::string("at start\0", 9), owner.Window());

    QuavelinProcess quavelin;
    HWND mainWindow = quavelin.WaitForWindow("TForm1", StartTimeoutMs);
    ASSERT_NE(mainWindow, nullptr) << "no main window";
    HWND appWindow = quavelin.WaitForWindow("TApplication", TickTimeoutMs);
    ASSERT_NE(appWindow, nullptr);
    EXPECT_EQ(WindowText(appWindow), "Quavelin");
    EXPECT_EQ(GetWindow(mainWindow, GW_OWNER), appWindow);
    EXPECT_NE(quavelin.WaitForWindow("TPUtilWindow", TickTimeoutMs), nullptr);

    std::vector<HWND> boxes;
    ASSERT_TRUE(WaitUntil([&] { return (boxes = quavelin.EditBoxes(mainWindow)).size() == 11; }, TickTimeoutMs));
    const HWND nowClip = boxes[0];
    auto slot = [&](int index) { return boxes[index == 0 ? 10 : index]; };
    EXPECT_FALSE(IsWindowVisible(nowClip));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(slot(0)) == "at start"; }, TickTimeoutMs));

    PutRawClipboard(CF_TEXT, std::string("copied \x83\x4E\0", 10), owner.Window());
    EXPECT_TRUE(WaitUntil([&] { return WindowText(slot(0)) == "copied \x83\x4E"; }, TickTimeoutMs))
        << WindowText(slot(0));

    SendMessageA(slot(3), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("three\r\nlines"));
    PressKeys({VK_CONTROL, '3'}, true);
    EXPECT_TRUE(WaitUntil([] { return ClipboardText() == "three\r\nlines"; }, TickTimeoutMs))
        << ClipboardText();
    PressKeys({'3', VK_CONTROL}, false);
    EXPECT_EQ(WindowText(nowClip), "three\r\nlines");

    PutRawClipboard(CF_TEXT, std::string("into three\0", 11), owner.Window());
    EXPECT_TRUE(WaitUntil([&] { return WindowText(slot(3)) == "into three"; }, TickTimeoutMs));
    EXPECT_EQ(WindowText(slot(0)), "copied \x83\x4E");

    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(quavelin.WaitForExit(TickTimeoutMs * 4), 0u);
}

}  // namespace
