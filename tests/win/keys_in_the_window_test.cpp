// Keys pressed in the shown window, on the real keyboard: a slot box edits its text as a plain
// multi-line edit box does, Tab moves the focus round the controls, the "Mini" button answers
// Space as a plain button does. No key ends the program, hides the window or loses a slot.
// After a key that should do nothing, a key with a visible effect follows: once that effect
// shows, the one before has been handled.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/running_quavelin.h"

namespace {

class KeysInTheWindow : public RunningQuavelin {
protected:
    void SetUp() override {
        RunningQuavelin::SetUp();
        if (HasFatalFailure()) return;
        ShowFromTheIcon();
        ASSERT_TRUE(ShownWithoutIcon());
    }

    DWORD Caret(HWND box) const {
        DWORD start = 0;
        SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
        return start;
    }
    void PutCaretAtTheEnd(HWND box) const {
        const LRESULT length = SendMessageA(box, WM_GETTEXTLENGTH, 0, 0);
        SendMessageA(box, EM_SETSEL, static_cast<WPARAM>(length), length);
    }
    // Presses a key and lets it go: once the box shows the text it then should, the program
    // has handled the key.
    bool PressAndWaitFor(HWND box, std::initializer_list<WORD> keys, const std::string& text) const {
        PressKeys(keys);
        return WaitUntil([&] { return WindowText(box) == text; }, TickTimeoutMs);
    }
};

TEST_F(KeysInTheWindow, KeysInASlotBoxEditThatBoxAndNothingElse) {
    ASSERT_TRUE(CopyInto(0, "before the keys"));
    NameEverySlot();
    HWND box = Slot(2);
    ASSERT_TRUE(FocusByClick(box));
    PutCaretAtTheEnd(box);
    std::string text = SlotText(2);

    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(PressAndWaitFor(box, {'E'}, text += "e"))
        << (Running() ? "Esc did more than nothing: " + WindowText(box) : "Esc ended the program");

    EXPECT_TRUE(PressAndWaitFor(box, {VK_RETURN}, text += "\r\n")) << "Enter starts a new line";

    // A plain multi-line box may start a new line here too; it only must not close or click.
    PressKeys({VK_CONTROL, VK_RETURN});
    PressKeys({'C'});
    ASSERT_TRUE(WaitUntil([&] {
        const std::string now = WindowText(box);
        return now.rfind(text, 0) == 0 && now.back() == 'c';
    }, TickTimeoutMs)) << (Running() ? WindowText(box) : "Ctrl+Enter ended the program");
    EXPECT_TRUE(ShownWithoutIcon()) << "Ctrl+Enter clicked the Mini button";
    text = WindowText(box);

    PutCaretAtTheEnd(box);
    const DWORD end = Caret(box);
    PressKeys({VK_LEFT});
    EXPECT_TRUE(WaitUntil([&] { return Caret(box) == end - 1; }, TickTimeoutMs));
    PressKeys({VK_UP});
    EXPECT_TRUE(WaitUntil([&] { return Caret(box) < end - 1; }, TickTimeoutMs));
    PressKeys({VK_DOWN});
    PressKeys({VK_RIGHT});
    EXPECT_TRUE(WaitUntil([&] { return Caret(box) == end; }, TickTimeoutMs));
    EXPECT_EQ(WindowText(box), text) << "the arrow keys move the caret only";
    EXPECT_EQ(Focus(), box);

    // M is the first letter of "Mini", C of the system menu's close item.
    PressKeys({VK_MENU, 'M'});
    PressKeys({VK_MENU, 'C'});
    PutCaretAtTheEnd(box);
    EXPECT_TRUE(PressAndWaitFor(box, {'A'}, text += "a")) << WindowText(box);
    EXPECT_TRUE(ShownWithoutIcon()) << "Alt and a letter clicked the Mini button";

    ASSERT_TRUE(Recall(5)) << "Ctrl+digit in a box recalls that slot";
    EXPECT_TRUE(PressAndWaitFor(box, {'D'}, text += "d")) << "and types nothing: " << WindowText(box);

    ASSERT_TRUE(Running());
    EXPECT_TRUE(ShownWithoutIcon());
    EXPECT_EQ(Focus(), box);
    for (int digit : {0, 1, 3, 4, 5, 6, 7, 8, 9}) EXPECT_EQ(SlotText(digit), "slot " + std::to_string(digit));
}

TEST_F(KeysInTheWindow, TabAndShiftTabMoveTheFocusRoundTheControlsAndTypeNothing) {
    NameEverySlot();
    ASSERT_TRUE(FocusByClick(Slot(1)));
    const std::vector<HWND> forwards = {Slot(2), Slot(3), Slot(4), Slot(5), Slot(6), Slot(7), Slot(8),
                                        Slot(9), Slot(0), MiniButton(), Slot(1)};
    for (std::size_t step = 0; step < forwards.size(); ++step) {
        PressKeys({VK_TAB});
        ASSERT_TRUE(WaitForFocus(forwards[step])) << "Tab number " << step + 1;
    }
    for (HWND control : {MiniButton(), Slot(0), Slot(9)}) {
        PressKeys({VK_SHIFT, VK_TAB});
        ASSERT_TRUE(WaitForFocus(control)) << "Shift+Tab";
    }

    ExpectEverySlotNamed();
    EXPECT_TRUE(ShownWithoutIcon());
}

TEST_F(KeysInTheWindow, OnTheMiniButtonSpaceClicksItWhileEnterAndEscDoNothing) {
    NameEverySlot();
    ASSERT_TRUE(FocusByClick(Slot(0)));
    PressKeys({VK_TAB});
    ASSERT_TRUE(WaitForFocus(MiniButton()));

    for (WORD key : {static_cast<WORD>(VK_RETURN), static_cast<WORD>(VK_ESCAPE)}) {
        SCOPED_TRACE(key == VK_RETURN ? "Enter" : "Esc");
        PressKeys({key});
        PressKeys({VK_TAB});
        EXPECT_TRUE(WaitForFocus(Slot(1)));
        ASSERT_TRUE(Running());
        EXPECT_TRUE(ShownWithoutIcon()) << "the key clicked the button";
        ShowFromTheIcon();
        ASSERT_TRUE(FocusByClick(Slot(0)));
        PressKeys({VK_TAB});
        ASSERT_TRUE(WaitForFocus(MiniButton()));
    }

    PressKeys({VK_SPACE});
    EXPECT_TRUE(WaitUntil([&] { return HiddenBehindTheIcon(); }, TickTimeoutMs));
    ExpectEverySlotNamed();
}

}  // namespace
