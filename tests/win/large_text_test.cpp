// Each test starts its own Quavelin.exe: a 16 MiB text makes the round trip through a slot
// byte for byte, and copies that the program learns of only through the clipboard's change
// number are taken in: one made while an error box is open, and one made by an X11 program.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win/running_quavelin.h"

namespace {

// A box's text is polled this often: reading 16 MiB back keeps the program busy for a while.
constexpr DWORD LargeTextPollMs = 250;
// Each step of a 16 MiB text: well above the seconds it takes even where 32-bit code is
// emulated, and well below ctest's limit for all three steps together.
constexpr DWORD LargeTextStepMs = 150000;

class FreshQuavelin : public RunningQuavelin {
protected:
    // Makes slot digit current by recalling it, with a short text of its own.
    bool MakeCurrent(int digit, const std::string& text) const {
        SetSlotText(digit, text);
        return Recall(digit);
    }
};

// The length is asked first: only a box of the right length is read back whole.
auto Holds(HWND box, const std::string& text) {
    return [box, &text] {
        PumpMessagesFor(LargeTextPollMs);
        return SendMessageA(box, WM_GETTEXTLENGTH, 0, 0) == static_cast<LRESULT>(text.size()) &&
               WindowText(box) == text;
    };
}

// Lines of 4 KB, each of one letter, so that a lost or doubled line shows.
std::string SixteenMebibytes() {
    std::string text;
    for (char letter = 'a'; text.size() < 16 * 1024 * 1024; letter = letter == 'z' ? 'a' : letter + 1) {
        text += std::string(4094, letter) + "\r\n";
    }
    return text;
}

TEST_F(FreshQuavelin, SixteenMebibytesAreCapturedAndRecalledByteForByte) {
    const std::string large = SixteenMebibytes();
    ASSERT_TRUE(MakeCurrent(6, "six"));

    Copy(large);
    ASSERT_TRUE(WaitUntil(Holds(Slot(6), large), LargeTextStepMs)) << "captured into the current slot";
    ASSERT_TRUE(MakeCurrent(7, "seven"));
    ASSERT_TRUE(HoldKeysUntil({VK_CONTROL, '6'}, Holds(NowClip(), large), LargeTextStepMs));

    EXPECT_TRUE(RawClipboard(CF_TEXT).substr(0, large.size() + 1) == large + '\0')
        << "the clipboard holds exactly the 16 MiB";
    EXPECT_EQ(WindowText(Slot(7)), "seven");
}

// The box's own message loop goes on polling: once the clipboard is free again, a copy made
// before the box is answered lands in the current slot.
TEST_F(FreshQuavelin, ACopyMadeWhileTheErrorBoxIsOpenIsTakenIn) {
    ASSERT_TRUE(MakeCurrent(3, "three"));
    ASSERT_TRUE(OpenClipboard(owner_->Window()));
    const HWND box = Process().WaitForWindow("#32770", TickTimeoutMs);
    CloseClipboard();
    ASSERT_NE(box, nullptr) << "no error box";

    Copy("copied behind the box");

    EXPECT_TRUE(WaitUntil([this] { return WindowText(Slot(3)) == "copied behind the box"; }, TickTimeoutMs));
    EXPECT_TRUE(IsWindow(box)) << "still open";
    Process().AnswerClipboardErrorBoxes(TickTimeoutMs);
}

// Wine turns the X11 selection into CF_TEXT by itself, and only every few seconds.
TEST_F(FreshQuavelin, ACopyMadeInAnX11ProgramIsTakenIn) {
    ASSERT_TRUE(MakeCurrent(5, "five"));
    char command[] = "/bin/sh -c \"printf 'from X11' | xclip -selection clipboard >/dev/null 2>&1\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);

    EXPECT_TRUE(WaitUntil([this] { return WindowText(Slot(5)) == "from X11"; }, 3 * TickTimeoutMs));
}

}  // namespace
