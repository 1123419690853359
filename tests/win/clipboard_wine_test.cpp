// The clipboard text layer against the real clipboard under Wine, in code page 932.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/exceptions.h"
#include "slots/clipboard.h"
#include "tests/win/test_window.h"

namespace {

class RealClipboard : public ::testing::Test {
protected:
    TestApplication app;
};

// Runs the holder program, which keeps the clipboard open until Release() or destruction.
class ClipboardHeldByAnotherProcess {
public:
    ClipboardHeldByAnotherProcess()
        : opened_(CreateEventA(nullptr, TRUE, FALSE, "QuavelinTestOpened")),
          release_(CreateEventA(nullptr, TRUE, FALSE, "QuavelinTestRelease")) {
        process_ = StartTestProgram("clipboard_holder.exe", "QuavelinTestOpened QuavelinTestRelease");
        if (!process_) {
            ADD_FAILURE() << "cannot start the clipboard holder";
            return;
        }
        // Generous: a 32-bit program may take a minute to start where 32-bit code is emulated.
        HANDLE waitFor[] = {opened_, process_};
        EXPECT_EQ(WaitForMultipleObjects(2, waitFor, FALSE, 180000), WAIT_OBJECT_0)
            << "the holder did not open the clipboard";
    }
    ~ClipboardHeldByAnotherProcess() {
        Release();
        CloseHandle(opened_);
        CloseHandle(release_);
    }
    ClipboardHeldByAnotherProcess(const ClipboardHeldByAnotherProcess&) = delete;
    ClipboardHeldByAnotherProcess& operator=(const ClipboardHeldByAnotherProcess&) = delete;

    void Release() {
        if (!process_) return;
        SetEvent(release_);
        if (WaitForSingleObject(process_, 30000) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
        CloseHandle(process_);
        process_ = nullptr;
    }

private:
    HANDLE opened_;
    HANDLE release_;
    HANDLE process_ = nullptr;
};

// The read the program's poll makes.
std::string ReadText(HWND owner) {
    return ReadUnmarkedClipboardText(owner, RegisterSecretMarkers()).value_or("(secret)");
}

template <typename Operation>
std::string RaisedMessage(Operation operation) {
    try {
        operation();
    } catch (const Exception& error) {
        return error.Message();
    }
    return "(nothing raised)";
}

TEST(CodePage, IsShiftJis) { EXPECT_EQ(GetACP(), 932u); }

// Run by x11-copy-then after xclip has put "コピー　X11" on the X11 clipboard as UTF-8: the
// text reaches the clipboard layer as the code page's bytes. Wine may take a moment to see the
// new selection, so the read is retried for a bounded time.
TEST(X11Clipboard, TextCopiedByAnX11ProgramIsRead) {
    TestApplication app;
    const std::string expected = "\x83\x52\x83\x73\x81\x5B\x81\x40X11";
    std::string text;
    for (int attempt = 0; attempt < 100 && text != expected; ++attempt) {
        text = ReadText(app.Window());
        if (text != expected) Sleep(100);
    }
    EXPECT_EQ(text, expected);
}

TEST_F(RealClipboard, TextComesBackByteForByte) {
    std::string large;
    for (int line = 0; large.size() < 1024 * 1024; ++line) {
        large += "line " + std::to_string(line) + " \x82\xB1\x82\xEA\x82\xCD\x8E\x9A" + "\r\n";
    }
    const std::string texts[] = {
        "two\r\nlines", "lone\rcr", "lone\nlf", "\x83\x4E\x83\x8A\x83\x62\x83\x76 \x8A\xBF\x8E\x9A",
        "\x81\x5C\x83\x5C\x95\x5C",  // Shift-JIS pairs whose second byte is a backslash
        large};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 20));
        WriteClipboardText(app.Window(), text);
        EXPECT_EQ(ReadText(app.Window()), text);
        EXPECT_EQ(RawClipboard(CF_TEXT).substr(0, text.size() + 1), text + '\0');
    }
}

TEST_F(RealClipboard, WriteReplacesEveryFormatAndOwnsTheClipboard) {
    const UINT other = RegisterClipboardFormatA("QuavelinTestFormat");
    PutRawClipboard(other, "picture", app.Window());

    WriteClipboardText(app.Window(), "");

    EXPECT_EQ(RawClipboard(other), "");
    EXPECT_EQ(RawClipboard(CF_TEXT).substr(0, 1), std::string(1, '\0'));
    EXPECT_EQ(ReadText(app.Window()), "");
    EXPECT_EQ(GetClipboardOwner(), app.Window());
    EXPECT_EQ(SharedClipboard().OpenDepth, 0);
}

TEST_F(RealClipboard, ReadStopsAtTheFirstNul) {
    PutRawClipboard(CF_TEXT, std::string("before\0after\0", 13), app.Window());

    EXPECT_EQ(ReadText(app.Window()), "before");
}

TEST_F(RealClipboard, NonTextContentReadsAsTheEmptyText) {
    PutRawClipboard(RegisterClipboardFormatA("QuavelinTestFormat"), "picture", app.Window());

    EXPECT_EQ(ReadText(app.Window()), "");
}

TEST_F(RealClipboard, ClipboardHeldOpenElsewhereFailsUntilItIsClosed) {
    WriteClipboardText(app.Window(), "kept");
    {
        ClipboardHeldByAnotherProcess holder;
        EXPECT_EQ(RaisedMessage([&] { ReadText(app.Window()); }), CannotOpenClipboardMessage);
        EXPECT_EQ(RaisedMessage([&] { WriteClipboardText(app.Window(), "lost"); }), CannotOpenClipboardMessage);
        EXPECT_EQ(SharedClipboard().OpenDepth, 0);
    }
    EXPECT_EQ(ReadText(app.Window()), "kept");
    WriteClipboardText(app.Window(), "after");
    EXPECT_EQ(ReadText(app.Window()), "after");
}

// Copied by a Unicode program under English (US), "日本語" is "???" in CF_TEXT, derived in code
// page 1252: the Unicode text is taken. A CF_TEXT writer's bytes under that locale are kept as
// they are. The program's own write names the system's locale, so a Unicode reader gets the
// same text whatever the keyboard layout.
TEST_F(RealClipboard, JapaneseCopiedUnderAnotherLocaleStaysJapanese) {
    const std::string japanese = "\x93\xFA\x96\x7B\x8C\xEA";
    const std::string wide("\xE5\x65\x2C\x67\x9E\x8A\0\0", 8);  // UTF-16 "日本語"
    const std::string englishLocale("\x09\x04\0\0", 4);  // 0x0409
    PutRawClipboard({{CF_UNICODETEXT, wide}, {CF_LOCALE, englishLocale}}, app.Window());
    ASSERT_EQ(RawClipboard(CF_TEXT).substr(0, 4), std::string("???\0", 4));
    EXPECT_EQ(ReadText(app.Window()), japanese);
    EXPECT_EQ(CompareClipboardText(app.Window(), RegisterSecretMarkers(), japanese), ClipboardFinding::SameText);

    PutRawClipboard({{CF_TEXT, japanese + '\0'}, {CF_LOCALE, englishLocale}}, app.Window());
    EXPECT_EQ(ReadText(app.Window()), japanese);

    WriteClipboardText(app.Window(), japanese);
    const LCID locale = *reinterpret_cast<const LCID*>(RawClipboard(CF_LOCALE).c_str());
    DWORD codePage = 0;
    GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER, reinterpret_cast<char*>(&codePage), 4);
    EXPECT_EQ(codePage, GetACP());
    EXPECT_EQ(RawClipboard(CF_UNICODETEXT).substr(0, wide.size()), wide);
}

}  // namespace
