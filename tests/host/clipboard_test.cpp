// The clipboard text layer against the recording fake: the order of the Win32 calls, and that
// every path out of a read or a write closes the clipboard and leaves no memory block behind.
#include "slots/clipboard.h"

#include <gtest/gtest.h>

#include "base/exceptions.h"
#include "tests/host/fake_win32.h"

namespace {

using Calls = std::vector<std::string>;

const win32::HWND Owner = reinterpret_cast<win32::HWND>(0xA99);
const std::string Japanese = "\x93\xFA\x96\x7B\x8C\xEA";  // Shift-JIS "日本語"

class ClipboardLayer : public ::testing::Test {
protected:
    void SetUp() override { ResetFake(); }

    static void ExpectClosedAndClean() {
        EXPECT_FALSE(Fake().clipboardOpen);
        EXPECT_EQ(SharedClipboard().OpenDepth, 0);
        EXPECT_EQ(SharedClipboard().OwnerWindow, nullptr);
        EXPECT_EQ(Fake().StrayBlocks(), 0);
    }

    // The read the poll makes, through the fake's empty secret markers.
    static std::string Read() { return ReadUnmarkedClipboardText(Owner, RegisterSecretMarkers()).value(); }
    static ClipboardFinding Compare(const std::string& text) {
        return CompareClipboardText(Owner, RegisterSecretMarkers(), text);
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

    EXPECT_EQ(Read(), "ab\r\ncd");

    EXPECT_EQ(Fake().calls, (Calls{"OpenClipboard", "IsClipboardFormatAvailable", "IsClipboardFormatAvailable",
                                   "EnumClipboardFormats", "GetClipboardData", "GlobalLock", "GlobalSize",
                                   "GlobalUnlock", "CloseClipboard"}));
    EXPECT_EQ(Fake().openedBy, Owner);
    ExpectClosedAndClean();
}

TEST_F(ClipboardLayer, ReadOfABlockWithoutNulStopsAtTheBlockEnd) {
    Fake().PutClipboardBytes("\x82\xA0\x82\xA2xyz");  // Shift-JIS "あい" then "xyz", no NUL

    EXPECT_EQ(Read(), "\x82\xA0\x82\xA2xyz");
}

TEST_F(ClipboardLayer, ReadWithoutTextOrWithAnUnlockableBlockGivesTheEmptyText) {
    EXPECT_EQ(Read(), "");
    EXPECT_EQ(Fake().calls, (Calls{"OpenClipboard", "IsClipboardFormatAvailable", "IsClipboardFormatAvailable",
                                   "EnumClipboardFormats", "GetClipboardData", "CloseClipboard"}));

    Fake().calls.clear();
    Fake().PutClipboardBytes(std::string("text\0", 5));
    Fake().Fail("GlobalLock");
    EXPECT_EQ(Read(), "");
    EXPECT_EQ(Fake().calls, (Calls{"OpenClipboard", "IsClipboardFormatAvailable", "IsClipboardFormatAvailable",
                                   "EnumClipboardFormats", "GetClipboardData", "GlobalLock", "GlobalUnlock",
                                   "CloseClipboard"}));
    ExpectClosedAndClean();
}

TEST_F(ClipboardLayer, FailedOpenRaisesLeavesNoDepthAndTheNextCallWorks) {
    Fake().PutClipboardBytes(std::string("old\0", 4));
    Fake().Fail("OpenClipboard", 1);

    EXPECT_EQ(ExpectFailure([] { Read(); }), CannotOpenClipboardMessage);
    EXPECT_EQ(ExpectFailure([] { WriteClipboardText(Owner, "new"); }), CannotOpenClipboardMessage);
    EXPECT_EQ(Fake().calls, (Calls{"OpenClipboard", "OpenClipboard"}));  // nothing allocated
    EXPECT_EQ(SharedClipboard().OpenDepth, 0);
    EXPECT_EQ(Fake().ClipboardBytes(), std::string("old\0", 4));

    Fake().failingFrom.clear();
    Fake().calls.clear();
    EXPECT_EQ(Read(), "old");
    EXPECT_EQ(Fake().CallCount("OpenClipboard"), 1);
    EXPECT_EQ(Fake().CallCount("CloseClipboard"), 1);
    ExpectClosedAndClean();
}

// The text, and beside it the system's locale, so that the system derives the Unicode text in
// the system's code page whatever the keyboard layout.
TEST_F(ClipboardLayer, WriteFillsBothBlocksBeforeEmptyingAndUnlocksAfterTheHandOver) {
    Fake().PutClipboardBytes(std::string("old\0", 4));
    Fake().clipboard[2] = Fake().NewBlock(8, 0);  // a second format, which the write removes

    WriteClipboardText(Owner, "new\rtext\n");

    EXPECT_EQ(Fake().calls, (Calls{"OpenClipboard", "GlobalAlloc", "GlobalLock", "GlobalAlloc", "GlobalLock",
                                   "EmptyClipboard", "SetClipboardData", "SetClipboardData", "GlobalUnlock",
                                   "GlobalUnlock", "CloseClipboard"}));
    EXPECT_EQ(Fake().allocSizes, (std::vector<win32::SIZE_T>{10, 4}));
    EXPECT_EQ(Fake().ClipboardBytes(), std::string("new\rtext\n\0", 10));
    const auto& locale = Fake().blocks.at(Fake().clipboard.at(16));
    EXPECT_EQ(std::string(locale.bytes.begin(), locale.bytes.end()), LocaleBytes(0x0411));
    EXPECT_EQ(Fake().clipboard.size(), 2u);
    EXPECT_EQ(Fake().blocks.at(Fake().clipboard.at(1)).flags & locale.flags, 0x2002u);
    EXPECT_EQ(Fake().blocks.at(Fake().clipboard.at(1)).locks + locale.locks, 0);
    ExpectClosedAndClean();
}

TEST_F(ClipboardLayer, WriteOfTheEmptyTextAndOfATextHoldingNul) {
    WriteClipboardText(Owner, "");
    EXPECT_EQ(Fake().ClipboardBytes(), std::string(1, '\0'));

    WriteClipboardText(Owner, std::string("a\0b", 3));
    EXPECT_EQ(Fake().allocSizes, (std::vector<win32::SIZE_T>{1, 4, 4, 4}));
    EXPECT_EQ(Fake().ClipboardBytes(), std::string("a\0b\0", 4));
    EXPECT_EQ(Read(), "a");
    ExpectClosedAndClean();
}

TEST_F(ClipboardLayer, WriteThatCannotGetMemoryForEitherBlockRaisesAndLeavesTheOldText) {
    for (const char* failing : {"GlobalAlloc", "GlobalLock"}) {
      for (int block = 1; block <= 2; ++block) {
        SCOPED_TRACE(failing + std::to_string(block));
        ResetFake();
        Fake().PutClipboardBytes(std::string("old\0", 4));
        Fake().Fail(failing, block);

        EXPECT_EQ(ExpectFailure([] { WriteClipboardText(Owner, "new"); }), CannotAllocateClipboardMessage);

        EXPECT_EQ(Fake().CallCount("EmptyClipboard"), 0);
        EXPECT_EQ(Fake().CallCount("GlobalUnlock"), block - 1);
        EXPECT_EQ(Fake().ClipboardBytes(), std::string("old\0", 4));
        ExpectClosedAndClean();
      }
    }
}

// A refused text is raised: the clipboard was emptied. A refused locale is not: the text is
// there, and a raise would make the caller take the recall for failed.
TEST_F(ClipboardLayer, RefusedHandOverFreesTheBlocksAndRaisesOnlyForTheText) {
    Fake().PutClipboardBytes(std::string("old\0", 4));
    Fake().Fail("SetClipboardData");

    EXPECT_EQ(ExpectFailure([] { WriteClipboardText(Owner, "new"); }), CannotSetClipboardDataMessage);

    EXPECT_EQ(Fake().calls, (Calls{"OpenClipboard", "GlobalAlloc", "GlobalLock", "GlobalAlloc", "GlobalLock",
                                   "EmptyClipboard", "SetClipboardData", "GlobalUnlock", "GlobalFree",
                                   "GlobalUnlock", "GlobalFree", "CloseClipboard"}));
    EXPECT_TRUE(Fake().clipboard.empty());
    ExpectClosedAndClean();

    Fake().Fail("SetClipboardData", 3);
    WriteClipboardText(Owner, "new");
    EXPECT_EQ(Fake().ClipboardBytes(), std::string("new\0", 4));
    EXPECT_EQ(Fake().clipboard.size(), 1u);
    ExpectClosedAndClean();
}

// A Unicode writer's CF_TEXT, derived in the code page of a locale other than the system's, has
// lost its Japanese: its Unicode text is taken instead, in the system's code page, and compared
// as it is read (the fuzzer tries blocks without NUL). Every other text is CF_TEXT's bytes.
TEST_F(ClipboardLayer, UnicodeTextIsTakenOnlyWhereCfTextWasDerivedInAnotherCodePage) {
    Fake().PutUnicodeCopy(u"\u65E5\u672C\u8A9E \u00E9!", 0x0409);  // "日本語 é!"
    EXPECT_EQ(Read(), Japanese + " ?!");
    EXPECT_EQ(Compare(Japanese + " ?!"), ClipboardFinding::SameText);

    for (const auto locale : {std::optional<win32::LCID>(0x0411), std::optional<win32::LCID>(0x0439),
                              std::optional<win32::LCID>()}) {
        Fake().PutUnicodeCopy(u"\u65E5\u672C\u8A9E", locale);
        EXPECT_EQ(Read(), "???") << "the system's locale, one with Unicode only, or none";
    }
    Fake().Empty();
    Fake().PutClipboardBytes(Japanese + "\x80");  // no NUL, and a byte without a Unicode form
    Fake().PutClipboardFormat(win32::ClipboardFormatLocale, LocaleBytes(0x0409));
    Fake().PutClipboardFormat(win32::ClipboardFormatUnicodeText, std::string("?\0?\0?\0\0\0", 8));
    EXPECT_EQ(Read(), Japanese + "\x80") << "a CF_TEXT writer under another layout";

    std::u16string wide((1 << 20) - 1, u'a');
    Fake().PutUnicodeCopy(wide + u"\U0001F600b", 0x0409);  // a surrogate pair across two pieces
    EXPECT_EQ(Read(), std::string(wide.size(), 'a') + "?b");
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
