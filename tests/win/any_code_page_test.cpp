// Quavelin on Windows in another language: run in code page 932 and again in 1252 (English),
// each in a Wine session of its own. The boxes still say their Japanese texts, and the slots
// keep the texts of the system's code page byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win/running_quavelin.h"

namespace {

class OnAnyCodePage : public RunningQuavelin {};

// A text typed in the system's code page, and a Unicode program's copy with the bytes it has in
// that code page.
struct CodePageTexts {
    std::string Typed;
    std::wstring Copied;
    std::string CopiedBytes;
};

CodePageTexts TextsOfTheSystemsCodePage() {
    if (GetACP() == 932) {
        // "漢字 ｶﾅ", and "日本語"
        return {"\x8A\xBF\x8E\x9A \xB6\xC5", L"\x65E5\x672C\x8A9E", "\x93\xFA\x96\x7B\x8C\xEA"};
    }
    // "naïve Größe €", and "Größe"
    return {"na\xEFve Gr\xF6\xDF" "e \x80", L"Gr\xF6\xDF" L"e", "Gr\xF6\xDF" "e"};
}

TEST_F(OnAnyCodePage, AnErrorBoxSaysItsJapaneseText) {
    ASSERT_TRUE(OpenClipboard(owner_->Window()));
    HWND box = Process().WaitForWindow("#32770", TickTimeoutMs);
    CloseClipboard();
    ASSERT_NE(box, nullptr);
    // "クリップボードを開くことができません."
    EXPECT_EQ(ViewMessageBox(box).WideText,
              L"\x30AF\x30EA\x30C3\x30D7\x30DC\x30FC\x30C9\x3092\x958B\x304F\x3053\x3068\x304C\x3067\x304D"
              L"\x307E\x305B\x3093.");
    PressOk(box);
}

TEST_F(OnAnyCodePage, TheSlotsKeepTheTextsOfTheSystemsCodePage) {
    ASSERT_TRUE(GetACP() == 932 || GetACP() == 1252) << "the tests run in code page 932 or 1252";
    const CodePageTexts texts = TextsOfTheSystemsCodePage();
    EXPECT_TRUE(CopyInto(0, texts.Typed)) << SlotText(0);
    SetSlotText(3, "3 " + texts.Typed);
    EXPECT_TRUE(Recall(3));
    EXPECT_EQ(ClipboardText(), "3 " + texts.Typed);

    const std::wstring copied = texts.Copied + L'\0';
    PutRawClipboard(CF_UNICODETEXT, std::string(reinterpret_cast<const char*>(copied.data()), copied.size() * 2),
                    owner_->Window());
    EXPECT_TRUE(WaitForNowClip(texts.CopiedBytes)) << WindowText(NowClip());
    EXPECT_EQ(SlotText(3), texts.CopiedBytes);
}

}  // namespace
