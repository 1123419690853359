// The pure text rules of the shell: the title from the executable's path and the texts of the
// error boxes, in code page 932 where a trail byte may look like a backslash or a dot.
#include <gtest/gtest.h>

#include <vector>

#include "base/program_title.h"
#include "base/error_text.h"

namespace {

// The lead bytes of the program's own texts, whatever the system's code page.
constexpr LeadByteTest ShiftJisLead = &IsShiftJisLeadByte;

TEST(ProgramName, IsTheFileNameCutAtItsFirstDot) {
    EXPECT_EQ(ProgramNameFromPath("C:\\Tools\\CLIP.V2.EXE", ShiftJisLead), "CLIP");
    EXPECT_EQ(ProgramNameFromPath("Quavelin.exe", ShiftJisLead), "Quavelin");
    EXPECT_EQ(ProgramNameFromPath("C:\\dir.with.dots\\name", ShiftJisLead), "name");
    EXPECT_EQ(ProgramNameFromPath("C:\\trailing\\", ShiftJisLead), "");
}

TEST(ProgramName, TrailBytesAreNeitherBackslashNorDot) {
    // "表" is 0x95 0x5C and "ソ" is 0x83 0x5C: their second byte is no backslash.
    EXPECT_EQ(ProgramNameFromPath("C:\\\x95\x5C\\\x83\x5C\x8E\x9A.exe", ShiftJisLead),
              "\x83\x5C\x8E\x9A");
    // The fatal box names the executable's file by the same scan.
    EXPECT_EQ(FileNameOfPath("C:\\x\\\x95\x5C.exe", ShiftJisLead), "\x95\x5C.exe");
    // A lead byte followed by 0x2E would be an invalid pair; it still counts as one character.
    EXPECT_EQ(ProgramNameFromPath("C:\\a\x81.b.exe", ShiftJisLead), "a\x81.b");
    // A lead byte at the very end stands alone.
    EXPECT_EQ(ProgramNameFromPath("C:\\x\\name\x81", ShiftJisLead), "name\x81");
}

TEST(FullStop, IsAppendedAfterAnythingThatSortsAfterADot) {
    EXPECT_EQ(WithFullStop("Done.", ShiftJisLead), "Done.");
    EXPECT_EQ(WithFullStop("Stop!", ShiftJisLead), "Stop!");
    EXPECT_EQ(WithFullStop("a-", ShiftJisLead), "a-");
    EXPECT_EQ(WithFullStop("line\r\n", ShiftJisLead), "line\r\n");
    EXPECT_EQ(WithFullStop("", ShiftJisLead), "");
    EXPECT_EQ(WithFullStop("word", ShiftJisLead), "word.");
    EXPECT_EQ(WithFullStop("/", ShiftJisLead), "/.");
    EXPECT_EQ(WithFullStop("\x82\xF1", ShiftJisLead), "\x82\xF1.");     // "ん"
    EXPECT_EQ(WithFullStop("a\x81\x2E", ShiftJisLead), "a\x81\x2E.");  // a double-byte ending in 0x2E
    EXPECT_EQ(WithFullStop("\xB1", ShiftJisLead), "\xB1.");            // half-width katakana
}

TEST(FatalText, NamesClassModuleAddressAndMessage) {
    const std::string text = FatalErrorText("EReadError", "Quavelin.exe", 0x1A2B, "boom").Bytes();
    EXPECT_EQ(text,
              "EReadError\x82\xAA\x83\x82\x83W\x83\x85\x81[\x83\x8B Quavelin.exe \x82\xCC 00001A2B "
              "\x82\xC5\x94\xAD\x90\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B\nboom.");
    EXPECT_EQ(FatalErrorText("E", "m", 0, "done.").Bytes().substr(FatalErrorText("E", "m", 0, "").Bytes().size()),
              "done.");
    EXPECT_LE(FatalErrorText("E", "m", 0, std::string(5000, 'x')).Bytes().size(), 1023u);
}

// Only the module's file name comes from the system: it alone is read in the system's code page.
TEST(FatalText, ReadsOnlyTheModuleNameInTheSystemsCodePage) {
    const std::vector<TTextPiece> pieces = FatalErrorText("E", "\x95\x5C.exe", 0, "x").Pieces();
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].CodePage, TCodePage::ShiftJis);
    EXPECT_EQ(pieces[1].CodePage, TCodePage::SystemAnsi);
    EXPECT_EQ(pieces[1].Bytes, "\x95\x5C.exe");
    EXPECT_EQ(pieces[2].CodePage, TCodePage::ShiftJis);
    const TCodedText cut = FatalErrorText("E", std::string(2000, 'm'), 0, "x");
    ASSERT_EQ(cut.Pieces().size(), 2u);  // cut within the name: 1023 bytes after "E" and " がモジュール "
    EXPECT_EQ(cut.Pieces()[1].Bytes, std::string(1023 - 14, 'm'));
}

TEST(RuntimeError, FillsTheTemplate) {
    EXPECT_EQ(RuntimeErrorText(217, 0x0040A1B2), "Runtime error 217 at 0040A1B2");
    EXPECT_EQ(RuntimeErrorText(5, 0xFF), "Runtime error   5 at 000000FF");
}

TEST(ReadError, NamesComponentAndProperty) {
    EXPECT_EQ(ReadErrorMessage("Timer1", "OnTimer", "x"),
              "Timer1.OnTimer \x82\xCC\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x92\x86\x82\xCC\x83G\x83\x89\x81[ : x");
}

}  // namespace
