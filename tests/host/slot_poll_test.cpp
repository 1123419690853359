// The slots and the poll tick against the recording fake: what a tick captures and recalls, in
// which order, and what a failure leaves behind.
#include "slots/slot_poll.h"

#include <gtest/gtest.h>

#include "base/exceptions.h"
#include "slots/clipboard.h"
#include "tests/host/fake_win32.h"

namespace {

constexpr int Ctrl = 17;
int DigitKey(int digit) { return 48 + digit; }

const win32::HWND Owner = reinterpret_cast<win32::HWND>(0xA99);
const win32::HWND MainWindow = reinterpret_cast<win32::HWND>(0x3A1);

class SlotPoll : public ::testing::Test {
protected:
    void SetUp() override {
        ResetFake();
        Fake().PutClipboardBytes(std::string("at start\0", 9));
        slots.CreateNowClip(MainWindow, 0, 0, 80, 33, "NowClip\r\n");
        slots.CreateSlotMemos(MainWindow, {80, 300});
        Fake().calls.clear();
    }

    std::string Slot(int index) const { return Fake().memos.at(slots.SlotMemos[index].Handle()).text; }
    std::string NowClip() const { return Fake().memos.at(slots.NowClipWindow()).text; }
    void SetSlot(int index, const std::string& text) {
        Fake().memos.at(slots.SlotMemos[index].Handle()).text = text;
    }
    void Copy(const std::string& text) { Fake().PutClipboardBytes(text + '\0'); }
    void Clear() {
        Fake().clipboard.clear();
        ++Fake().sequenceNumber;
    }
    void Hold(std::initializer_list<int> keys) { Fake().heldKeys = keys; }
    void Tick() { slots.Tick(); }

    TSlotPoll slots{Owner};
};

TEST_F(SlotPoll, SlotBoxesStackOneToNineThenZeroAndSlotZeroHoldsTheStartText) {
    ASSERT_EQ(Fake().memoOrder.size(), 11u);
    EXPECT_EQ(Fake().memoOrder[0], slots.NowClipWindow());
    const int creationOrder[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
    for (int row = 0; row < 10; ++row) {
        const int index = creationOrder[row];
        SCOPED_TRACE(index);
        const FakeMemo& memo = Fake().memos.at(Fake().memoOrder[row + 1]);
        EXPECT_EQ(slots.SlotMemos[index].Handle(), Fake().memoOrder[row + 1]);
        EXPECT_EQ(memo.parent, MainWindow);
        EXPECT_EQ(memo.left, 0);
        EXPECT_EQ(memo.top, 30 * row);
        EXPECT_EQ(memo.width, 80);
        EXPECT_EQ(memo.height, 30);
    }
    EXPECT_EQ(Slot(0), "at start");
    EXPECT_EQ(NowClip(), "at start");
    EXPECT_EQ(slots.CurrentSlot, 0);
    EXPECT_EQ(Fake().openedBy, Owner);
}

TEST_F(SlotPoll, ABoxThatCannotBeMadeRaises) {
    ResetFake();
    TSlotPoll fresh{Owner};
    Fake().Fail("CreateMemoWindow", 4);
    fresh.CreateNowClip(MainWindow, 0, 0, 80, 33, "NowClip\r\n");

    EXPECT_THROW(fresh.CreateSlotMemos(MainWindow, {80, 300}), EOutOfResources);
    EXPECT_THROW(fresh.CreateNowClip(MainWindow, 0, 0, 80, 33, ""), EOutOfResources);
    EXPECT_EQ(Fake().CallCount("OpenClipboard"), 0);
}

TEST_F(SlotPoll, UnchangedClipboardCostsOneReadAndChangesNothing) {
    Tick();

    EXPECT_EQ(Fake().CallCount("OpenClipboard"), 1);
    EXPECT_EQ(Fake().CallCount("SetWindowTextA"), 0);
    EXPECT_EQ(Fake().CallCount("GetAsyncKeyState"), 1);  // Ctrl only
    EXPECT_EQ(slots.CurrentSlot, 0);
}

TEST_F(SlotPoll, ChangedClipboardOverwritesTheCurrentSlotEvenWhenEdited) {
    slots.RecallSlot(6);
    SetSlot(6, "typed by hand");
    Copy("copied \x82\xA0");

    Tick();

    EXPECT_EQ(Slot(6), "copied \x82\xA0");
    EXPECT_EQ(NowClip(), "copied \x82\xA0");
    EXPECT_EQ(slots.CurrentSlot, 6);
    EXPECT_EQ(Slot(0), "at start");

    Fake().PutUnicodeCopy(u"\u65E5\u672C\u8A9E", 0x0409);  // "日本語" copied under English (US)
    Tick();
    EXPECT_EQ(Slot(6), "\x93\xFA\x96\x7B\x8C\xEA");
    Tick();
    Fake().calls.clear();
    Tick();
    EXPECT_EQ(Fake().CallCount("GetClipboardData"), 0) << "compared as captured, so seen";
}

// Another program copies again between the comparing read and the storing one.
TEST_F(SlotPoll, CaptureStoresTheSecondReadNotTheOneCompared) {
    Copy("first");
    Fake().beforeGetClipboardData = [this](int call) {
        if (call == 2) Copy("second");
    };

    Tick();

    EXPECT_EQ(Slot(0), "second");
    EXPECT_EQ(NowClip(), "second");
}

TEST_F(SlotPoll, ClipboardWithoutTextEmptiesTheCurrentSlot) {
    Fake().clipboard.clear();

    Tick();

    EXPECT_EQ(Slot(0), "");
    EXPECT_EQ(NowClip(), "");
    Fake().calls.clear();
    Tick();
    EXPECT_EQ(Fake().CallCount("OpenClipboard"), 1);  // empty equals empty: no capture
}

TEST_F(SlotPoll, CtrlDigitRecallsTheEditedSlotAndTheNextTickCapturesNothing) {
    SetSlot(4, "edited\r\nlines");
    Hold({Ctrl, DigitKey(4)});

    Tick();

    EXPECT_EQ(Fake().ClipboardBytes(), std::string("edited\r\nlines\0", 14));
    EXPECT_EQ(NowClip(), "edited\r\nlines");
    EXPECT_EQ(slots.CurrentSlot, 4);
    EXPECT_EQ(Slot(4), "edited\r\nlines");

    Hold({});
    Fake().calls.clear();
    Tick();
    EXPECT_EQ(Fake().CallCount("OpenClipboard"), 1);
    EXPECT_EQ(Fake().CallCount("SetWindowTextA"), 0);
}

// Each tick that finds Ctrl+4 held writes the clipboard again, edits in between included.
TEST_F(SlotPoll, RecallRepeatsOnEveryTickWhileControlDigitStaysHeld) {
    Hold({Ctrl, DigitKey(4)});
    for (const char* text : {"four", "four", "four edited"}) {
        SetSlot(4, text);
        Tick();
        EXPECT_EQ(Fake().ClipboardBytes(), std::string(text) + '\0');
    }
    EXPECT_EQ(Fake().CallCount("EmptyClipboard"), 3);
}

TEST_F(SlotPoll, RecallingAnEmptySlotPutsTheEmptyText) {
    Hold({Ctrl, DigitKey(0)});
    SetSlot(0, "");

    Tick();

    EXPECT_EQ(Fake().ClipboardBytes(), std::string(1, '\0'));
    EXPECT_EQ(slots.CurrentSlot, 0);
}

TEST_F(SlotPoll, TwoHeldDigitsAreRecalledInAscendingOrder) {
    SetSlot(3, "three");
    SetSlot(7, "seven");
    Hold({Ctrl, DigitKey(7), DigitKey(3)});

    Tick();

    EXPECT_EQ(Fake().CallCount("EmptyClipboard"), 2);
    EXPECT_EQ(Fake().ClipboardBytes(), std::string("seven\0", 6));
    EXPECT_EQ(NowClip(), "seven");
    EXPECT_EQ(slots.CurrentSlot, 7);
    EXPECT_EQ(Fake().CallCount("GetAsyncKeyState"), 11);
}

TEST_F(SlotPoll, CaptureComesBeforeTheRecallInTheSameTick) {
    SetSlot(5, "five");
    Copy("fresh");
    Hold({Ctrl, DigitKey(5)});

    Tick();

    EXPECT_EQ(Slot(0), "fresh");
    EXPECT_EQ(Fake().ClipboardBytes(), std::string("five\0", 5));
    EXPECT_EQ(slots.CurrentSlot, 5);
}

TEST_F(SlotPoll, OnlyCtrlWithAMainRowDigitRecalls) {
    SetSlot(2, "two");
    for (auto keys : {std::set<int>{DigitKey(2)}, std::set<int>{Ctrl, 96 + 2}, std::set<int>{Ctrl}}) {
        Fake().heldKeys = keys;
        Tick();
        EXPECT_EQ(Fake().CallCount("SetClipboardData"), 0);
        EXPECT_EQ(slots.CurrentSlot, 0);
    }
    Hold({Ctrl, 16, 18, DigitKey(2)});  // Shift and Alt are not looked at
    Tick();
    EXPECT_EQ(slots.CurrentSlot, 2);
}

TEST_F(SlotPoll, FailedFirstReadSkipsTheRestOfTheTick) {
    Copy("unseen");
    Hold({Ctrl, DigitKey(1)});
    Fake().Fail("OpenClipboard");

    EXPECT_THROW(Tick(), Exception);

    EXPECT_EQ(Fake().CallCount("GetAsyncKeyState"), 0);
    EXPECT_EQ(Slot(0), "at start");

    Fake().failingFrom.clear();
    Tick();
    EXPECT_EQ(Slot(0), "unseen");
    EXPECT_EQ(slots.CurrentSlot, 1);
}

TEST_F(SlotPoll, FailedRecallKeepsNowClipAndCurrentSlotAndSkipsLaterDigits) {
    SetSlot(3, "three");
    SetSlot(7, "seven");
    Hold({Ctrl, DigitKey(3), DigitKey(7)});
    Fake().Fail("GlobalAlloc");

    EXPECT_THROW(Tick(), Exception);

    EXPECT_EQ(Fake().CallCount("GlobalAlloc"), 1);
    EXPECT_EQ(NowClip(), "at start");
    EXPECT_EQ(slots.CurrentSlot, 0);
    EXPECT_EQ(Fake().ClipboardBytes(), std::string("at start\0", 9));
}

// The clipboard was emptied before SetClipboardData refused: NowClip follows it, so the next
// tick captures nothing and the recalled slot keeps its text.
TEST_F(SlotPoll, RefusedHandOverIsReportedAndLosesNoSlot) {
    SetSlot(2, "two");
    slots.RecallSlot(2);
    SetSlot(5, "five");
    Hold({Ctrl, DigitKey(5)});
    Fake().Fail("SetClipboardData", 2);

    try {
        Tick();
        ADD_FAILURE() << "no Exception was raised";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), CannotSetClipboardDataMessage);
    }

    EXPECT_EQ(NowClip(), "");
    EXPECT_EQ(slots.CurrentSlot, 2);
    EXPECT_EQ(Fake().StrayBlocks(), 0);
    Hold({});
    Tick();
    EXPECT_EQ(Slot(2), "two");
    EXPECT_EQ(Slot(5), "five");
}

// A tick reads the clipboard's data only while it may differ from NowClip, which it knows
// from the clipboard's change number and the kept text. After each way NowClip is set, the
// kept text is the box's, the next tick leaves NowClip equal to the clipboard, and once that
// is confirmed the ticks stop reading the data.
TEST_F(SlotPoll, NowClipsKeptTextAndChangeNumberFollowEveryWayItIsSet) {
    const auto expectInStep = [](TSlotPoll& poll, const char* path) {
        SCOPED_TRACE(path);
        Fake().heldKeys.clear();
        Fake().failingFrom.clear();
        EXPECT_EQ(poll.NowClipText(), Fake().memos.at(poll.NowClipWindow()).text);
        poll.Tick();
        const std::string onClipboard = Fake().ClipboardBytes();
        EXPECT_EQ(poll.NowClipText(), onClipboard.substr(0, onClipboard.find('\0')));
        EXPECT_EQ(poll.NowClipText(), Fake().memos.at(poll.NowClipWindow()).text);
        poll.Tick();
        Fake().calls.clear();
        poll.Tick();
        EXPECT_EQ(Fake().CallCount("GetClipboardData"), 0);
        EXPECT_EQ(Fake().CallCount("OpenClipboard"), 1) << "a held clipboard is still reported";
    };
    expectInStep(slots, "start-up");

    slots.StoreToSlot(5, "stored while the clipboard's number stays");
    expectInStep(slots, "store");

    Copy("copied");
    Tick();
    expectInStep(slots, "capture");

    SetSlot(3, "three");
    Hold({Ctrl, DigitKey(3)});
    Tick();
    expectInStep(slots, "recall");

    SetSlot(4, "four");
    Hold({Ctrl, DigitKey(4)});
    Fake().Fail("SetClipboardData");
    EXPECT_THROW(Tick(), Exception);
    expectInStep(slots, "recall whose write was refused");

    Copy("later");
    TSlotPoll fresh{Owner};
    fresh.CreateNowClip(MainWindow, 0, 0, 80, 33, "NowClip\r\n");
    Fake().Fail("OpenClipboard");
    EXPECT_THROW(fresh.CreateSlotMemos(MainWindow, {80, 300}), Exception);
    expectInStep(fresh, "failed start-up read");
    EXPECT_EQ(Fake().memos.at(fresh.SlotMemos[0].Handle()).text, "later");
}

TEST_F(SlotPoll, WithoutAChangeNumberEveryTickReadsTheClipboard) {
    Fake().Fail("GetClipboardSequenceNumber");
    Tick();
    Tick();
    Copy("still seen");

    Tick();

    EXPECT_EQ(Slot(0), "still seen");
    EXPECT_EQ(Fake().CallCount("GetClipboardData"), 4);
}

TEST_F(SlotPoll, FailedStartCaptureLeavesTheBoxesAndNowClipForTheNextTick) {
    ResetFake();
    Fake().PutClipboardBytes(std::string("later\0", 6));
    TSlotPoll fresh{Owner};
    fresh.CreateNowClip(MainWindow, 0, 0, 80, 33, "NowClip\r\n");
    Fake().Fail("OpenClipboard");

    EXPECT_THROW(fresh.CreateSlotMemos(MainWindow, {80, 300}), Exception);

    EXPECT_EQ(Fake().memoOrder.size(), 11u);
    EXPECT_EQ(Fake().memos.at(fresh.NowClipWindow()).text, "NowClip\r\n");
    EXPECT_EQ(Fake().memos.at(fresh.SlotMemos[0].Handle()).text, "");
    Fake().failingFrom.clear();
    fresh.Tick();
    EXPECT_EQ(Fake().memos.at(fresh.SlotMemos[0].Handle()).text, "later");
}

// A password manager's copy carries a marker format: it is never asked for, compared or kept,
// and its clearing later empties no slot. Ctrl+digit replaces it as usual, the next plain copy
// is captured, and a clipboard that stays marked costs no read.
TEST_F(SlotPoll, TextMarkedSecretIsNeverTakenAndItsClearingEmptiesNoSlot) {
    for (const char* marker : {"ExcludeClipboardContentFromMonitorProcessing", "Clipboard Viewer Ignore"}) {
        SCOPED_TRACE(marker);
        Copy("hunter2");
        Fake().AddClipboardFormat(marker);
        Fake().calls.clear();
        Tick();
        EXPECT_EQ(Fake().CallCount("GetClipboardData"), 0);
        Fake().calls.clear();
        Tick();
        EXPECT_EQ(Fake().CallCount("IsClipboardFormatAvailable"), 0) << "a marked clipboard at rest";
        Clear();  // as the password manager does
        Tick();
        EXPECT_EQ(Slot(0), "at start");
        EXPECT_EQ(NowClip(), "at start");
    }

    Copy("hunter2");
    Fake().AddClipboardFormat("Clipboard Viewer Ignore");
    SetSlot(3, "three");
    Hold({Ctrl, DigitKey(3)});
    Tick();
    EXPECT_EQ(Fake().ClipboardBytes(), std::string("three\0", 6));

    Hold({});
    Copy("from a remote desktop");
    Fake().AddClipboardFormat("CanIncludeInClipboardHistory", std::string(4, '\0'));
    Tick();
    EXPECT_EQ(Slot(3), "from a remote desktop");
    Clear();
    Tick();
    EXPECT_EQ(Slot(3), "") << "a plain copy's clearing empties the slot as before";

    ResetFake();
    Fake().PutClipboardBytes(std::string("hunter2\0", 8));
    Fake().AddClipboardFormat("ExcludeClipboardContentFromMonitorProcessing");
    TSlotPoll fresh{Owner};
    fresh.CreateNowClip(MainWindow, 0, 0, 80, 33, "NowClip\r\n");
    fresh.CreateSlotMemos(MainWindow, {80, 300});
    EXPECT_EQ(Fake().memos.at(fresh.SlotMemos[0].Handle()).text, "");
    EXPECT_EQ(fresh.NowClipText(), "");
}

// A look that finds no text where text is offered (an owner that failed to render it, a block
// that could not be locked) is not taken for an empty clipboard: the next tick asks again, for
// about a second. A change made right after a look shows at the next tick.
TEST_F(SlotPoll, ALookThatCouldNotHaveTheTextIsRepeatedAndALaterChangeIsSeen) {
    for (const char* failure : {"render", "GlobalLock"}) {
        SCOPED_TRACE(failure);
        slots.StoreToSlot(0, "");
        Copy(std::string("late ") + failure);
        if (failure == std::string("render")) {
            Fake().failedRenders = 1;
        } else {
            Fake().Fail("GlobalLock", Fake().CallCount("GlobalLock") + 1);
        }
        Tick();
        Fake().failingFrom.clear();
        Tick();
        EXPECT_EQ(Slot(0), std::string("late ") + failure);
    }

    // An owner that never renders is asked for about a second, then left alone until a change;
    // the slot keeps its text meanwhile.
    slots.StoreToSlot(0, "kept");
    Copy("never rendered");
    Fake().failedRenders = 1000;
    Fake().calls.clear();
    for (int tick = 0; tick < 100; ++tick, Fake().tickCount += 50) Tick();
    EXPECT_EQ(Fake().CallCount("GetClipboardData"), 21);
    EXPECT_EQ(Slot(0), "kept");
    Fake().failedRenders = 0;
    Copy("rendered at last");
    Tick();
    EXPECT_EQ(Slot(0), "rendered at last");

    Copy("on the clipboard");
    slots.StoreToSlot(0, "on the clipboard");
    Fake().afterCloseClipboard = [this] {
        Fake().afterCloseClipboard = nullptr;
        Copy("copied right after the look");
    };
    Tick();
    Tick();
    EXPECT_EQ(Slot(0), "copied right after the look");
}

}  // namespace
