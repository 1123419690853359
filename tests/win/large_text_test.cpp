// Each test starts its own Quavelin.exe: texts of 1 and 16 MiB make the round trip through a
// slot byte for byte, and copies that the program learns of only through the clipboard's change
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

    // Holds Ctrl+digit until the program has written the clipboard, then waits until it is
    // idle: a slot is recalled without asking any box, so large ones too under every Wine. Once
    // the program's own text is on the clipboard, its ticks leave the clipboard closed.
    bool RecallWatchingTheClipboard(int digit) const {
        const DWORD before = GetClipboardSequenceNumber();
        return HoldKeysUntil({VK_CONTROL, static_cast<WORD>('0' + digit)}, [&] {
                   return GetClipboardSequenceNumber() != before && GetClipboardOwner() == AppWindow();
               }, LargeTextStepMs) &&
               WaitUntil([this] { return !Process().Busy(MainWindow()); }, LargeTextStepMs);
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
std::string LargeText(std::size_t bytes) {
    std::string text;
    for (char letter = 'a'; text.size() < bytes; letter = letter == 'z' ? 'a' : letter + 1) {
        text += std::string(4094, letter) + "\r\n";
    }
    return text;
}

class LargeCopies : public FreshQuavelin, public ::testing::WithParamInterface<std::size_t> {};

// The slots' boxes are read here only where this Wine answers another process about a large
// box; elsewhere the recalls alone show the text byte for byte. Recalling slot 7 makes the
// tick take the copy into the current slot 6 first, if it has not yet.
TEST_P(LargeCopies, AreCapturedAndRecalledByteForByte) {
    const std::string large = LargeText(GetParam());
    const bool boxesAnswer = LargeBoxesAnswerOtherProcesses();
    ASSERT_TRUE(MakeCurrent(6, "six"));

    Copy(large);
    if (boxesAnswer) {
        ASSERT_TRUE(WaitUntil(Holds(Slot(6), large), LargeTextStepMs)) << "captured into the current slot";
    }
    SetSlotText(7, "seven");
    ASSERT_TRUE(RecallWatchingTheClipboard(7));
    ASSERT_TRUE(RecallWatchingTheClipboard(6));
    if (boxesAnswer) {
        EXPECT_TRUE(Holds(NowClip(), large)());
    }

    EXPECT_TRUE(RawClipboard(CF_TEXT).substr(0, large.size() + 1) == large + '\0')
        << "the clipboard holds exactly the large text";
    EXPECT_EQ(WindowText(Slot(7)), "seven");
}

INSTANTIATE_TEST_SUITE_P(OfOneAndSixteenMebibytes, LargeCopies,
                         ::testing::Values(1024 * 1024, 16 * 1024 * 1024));

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
