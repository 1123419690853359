// The clipboard text layer against the recording fake: the order of the Win32 calls, and that
// every path out of a read or a write closes the clipboard and leaves no memory block behind.
#include "slots/clipboard.h"

#include <gtest/gtest.h>

#include "base/exceptions.h"
#include "tests/host/fake_win32.h"

namespace {

using Calls = std::vector<std::string>;

const win32::HWND Owner = reinterpret_cast<win32::HWND>(0xA99);

class ClipboardLayer : public ::testing::Test {
protected:
    void SetUp() override { ResetFake(); }

    static void ExpectClosedAndClean() {
        EXPECT_FALSE(Fake().clipboardOpen);
        EXPECT_EQ(SharedClipboard().OpenDepth, 0);
        EXPECT_EQ(SharedClipboard().OwnerWindow, nullptr);
        EXPECT_EQ(Fake().StrayBlocks(), 0);
    }

    static std::string ExpectFailure(void (*operation)()) {
        try {
            operation();
        } catch (const Exception& error) {
            return error.Message();
        }
        ADD_FAILURE() << "no Exception was raised";
        return {};
    }
};

TEST_F(ClipboardLayer, ReadTakesTheTextUpToTheFirstNulInOneOpen) {
    Fake().PutClipboardBytes(std::string("ab\r\ncd\0ef\0", 10));

    EXPECT_EQ(ReadClipboardText(Owner), "ab\r\ncd");

    EXPECT_EQ(Fake().calls, (Calls{"OpenClipboard", "GetClipboardData", "GlobalLock", "GlobalSize",
                                   "GlobalUnlock", "CloseClipboard"}));
    EXPECT_EQ(Fake().openedBy, Owner);
    ExpectClosedAndClean();
}

TEST_F(ClipboardLayer, ReadOfABlockWithoutNulStopsAtTheBlockEnd) {
    Fake().PutClipboardBytes("\x82\xA0\x82\xA2xyz");  // Shift-JIS "あい" then "xyz", no NUL

    EXPECT_EQ(ReadClipboardText(Owner), "\x82\xA0\x82\xA2xyz");
}

TEST_F(ClipboardLayer, ReadWithoutTextOrWithAnUnlockableBlockGivesTheEmptyText) {
    EXPECT_EQ(ReadClipboardText(Owner), "");
    EXPECT_EQ(Fake().calls, (Calls{"OpenClipboard", "GetClipboardData", "CloseClipboard"}));

    Fake().calls.clear();
    Fake().PutClipboardBytes(std::string("text\0", 5));
    Fake().Fail("GlobalLock");
    EXPECT_EQ(ReadClipboardText(Owner), "");
    EXPECT_EQ(Fake().calls, (Calls{"OpenClipboard", "GetClipboardData", "GlobalLock", "GlobalUnlock",
                                   "CloseClipboard"}));
    ExpectClosedAndClean();
}

TEST_F(ClipboardLayer, FailedOpenRaisesLeavesNoDepthAndTheNextCallWorks) {
    Fake().PutClipboardBytes(std::string("old\0", 4));
    Fake().Fail("OpenClipboard", 1);

    EXPECT_EQ(ExpectFailure([] { ReadClipboardText(Owner); }), CannotOpenClipboardMessage);
    EXPECT_EQ(ExpectFailure([] { WriteClipboardText(Owner, "new"); }), CannotOpenClipboardMessage);
    EXPECT_EQ(Fake().calls, (Calls{"OpenClipboard", "OpenClipboard"}));  // nothing allocated
    EXPECT_EQ(SharedClipboard().OpenDepth, 0);
    EXPECT_EQ(Fake().ClipboardBytes(), std::string("old\0", 4));

    Fake().failingFrom.clear();
    Fake().calls.clear();
    EXPECT_EQ(ReadClipboardText(Owner), "old");
    EXPECT_EQ(Fake().CallCount("OpenClipboard"), 1);
    EXPECT_EQ(Fake().CallCount("CloseClipboard"), 1);
    ExpectClosedAndClean();
}

TEST_F(ClipboardLayer, WriteFillsTheBlockBeforeEmptyingAndUnlocksAfterTheHandOver) {
    Fake().PutClipboardBytes(std::string("old\0", 4));
    Fake().clipboard[2] = Fake().NewBlock(8, 0);  // a second format, which the write removes

    WriteClipboardText(Owner, "new\rtext\n");

    EXPECT_EQ(Fake().calls, (Calls{"OpenClipboard", "GlobalAlloc", "GlobalLock", "EmptyClipboard",
                                   "SetClipboardData", "GlobalUnlock", "CloseClipboard"}));
    EXPECT_EQ(Fake().allocSizes, (std::vector<win32::SIZE_T>{10}));
    EXPECT_EQ(Fake().ClipboardBytes(), std::string("new\rtext\n\0", 10));
    EXPECT_EQ(Fake().clipboard.size(), 1u);
    EXPECT_EQ(Fake().blocks.at(Fake().clipboard.at(1)).flags, 0x2002u);
    EXPECT_EQ(Fake().blocks.at(Fake().clipboard.at(1)).locks, 0);
    ExpectClosedAndClean();
}

TEST_F(ClipboardLayer, WriteOfTheEmptyTextAndOfATextHoldingNul) {
    WriteClipboardText(Owner, "");
    EXPECT_EQ(Fake().ClipboardBytes(), std::string(1, '\0'));

    WriteClipboardText(Owner, std::string("a\0b", 3));
    EXPECT_EQ(Fake().allocSizes, (std::vector<win32::SIZE_T>{1, 4}));
    EXPECT_EQ(Fake().ClipboardBytes(), std::string("a\0b\0", 4));
    EXPECT_EQ(ReadClipboardText(Owner), "a");
    ExpectClosedAndClean();
}

TEST_F(ClipboardLayer, WriteThatCannotGetMemoryRaisesAndLeavesTheOldText) {
    for (const char* failing : {"GlobalAlloc", "GlobalLock"}) {
        SCOPED_TRACE(failing);
        ResetFake();
        Fake().PutClipboardBytes(std::string("old\0", 4));
        Fake().Fail(failing);

        EXPECT_EQ(ExpectFailure([] { WriteClipboardText(Owner, "new"); }), CannotAllocateClipboardMessage);

        EXPECT_EQ(Fake().CallCount("EmptyClipboard"), 0);
        EXPECT_EQ(Fake().CallCount("GlobalUnlock"), 0);
        EXPECT_EQ(Fake().ClipboardBytes(), std::string("old\0", 4));
        ExpectClosedAndClean();
    }
}

TEST_F(ClipboardLayer, RefusedHandOverFreesTheBlockAndRaises) {
    Fake().PutClipboardBytes(std::string("old\0", 4));
    Fake().Fail("SetClipboardData");

    EXPECT_EQ(ExpectFailure([] { WriteClipboardText(Owner, "new"); }), CannotSetClipboardDataMessage);

    EXPECT_EQ(Fake().calls, (Calls{"OpenClipboard", "GlobalAlloc", "GlobalLock", "EmptyClipboard",
                                   "SetClipboardData", "GlobalUnlock", "GlobalFree",
                                   "CloseClipboard"}));
    EXPECT_TRUE(Fake().clipboard.empty());
    ExpectClosedAndClean();
}

TEST_F(ClipboardLayer, NestedOpenEmptiesOnceAndOpensAndClosesOnlyAtTheOuterLevel) {
    auto& clipboard = SharedClipboard();
    clipboard.AcquireClipboard(Owner);
    clipboard.PutClipboardBlock(Owner, 1, "a", 2);
    clipboard.PutClipboardBlock(Owner, 7, "b", 2);
    EXPECT_EQ(clipboard.OpenDepth, 1);
    EXPECT_TRUE(clipboard.EmptiedThisOpen);
    clipboard.ReleaseClipboard();
    clipboard.ReleaseClipboard();  // one release too many does nothing

    EXPECT_EQ(Fake().CallCount("OpenClipboard"), 1);
    EXPECT_EQ(Fake().CallCount("EmptyClipboard"), 1);
    EXPECT_EQ(Fake().CallCount("CloseClipboard"), 1);
    EXPECT_EQ(Fake().clipboard.size(), 2u);
    ExpectClosedAndClean();
}

TEST_F(ClipboardLayer, EmptyOncePerOpenDoesNothingWhileTheClipboardIsClosed) {
    SharedClipboard().EmptyOncePerOpen();

    EXPECT_TRUE(Fake().calls.empty());
}

}  // namespace
