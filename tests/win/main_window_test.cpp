// The real main window, built in this process: moved to screens of other pixels per inch, named
// for screen readers, and given a font that fits the system's code page. Wine never moves a
// window between such screens, so the test sends WM_DPICHANGED as Windows does: to the window's
// own thread, with the new DPI and a pointer to the rectangle that it suggests.
#include "ui/main_window.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win/test_window.h"

namespace {

class TheMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        application.Initialize();
        application.CreateMainWindow([&] { return std::make_unique<TMainWindow>(application); });
        window = FindWindowA("TForm1", nullptr);
    }
    void TearDown() override {
        application.ShutdownWindows();
        application.Finalize();
    }
    // NowClip, slots 1 to 9, slot 0, in the order they were made.
    std::vector<HWND> EditBoxes() const {
        std::vector<HWND> boxes;
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char kind[16] = {};
            GetClassNameA(child, kind, sizeof kind);
            if (lstrcmpiA(kind, "Edit") == 0) boxes.push_back(child);
        }
        return boxes;
    }

    TApplication application;
    HWND window = nullptr;
};

// What a screen reader announces for a control.
std::wstring AccessibleName(HWND control) {
    IAccessible* accessible = nullptr;
    // By its declared uuid: the import library's IID_IAccessible is a thunk, not the IID.
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
        return L"(no accessible object)";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    accessible->get_accName(self, &name);
    std::wstring text = name ? name : L"";
    SysFreeString(name);
    accessible->Release();
    return text;
}

// To a screen at 125 % and back: the window takes the place suggested, everything in it and its
// font grow by a quarter, the slot boxes share the column's 375 pixels to the nearest pixel, and
// back at 96 all is as it was.
TEST_F(TheMainWindow, IsLaidOutAgainForTheDpiOfEachScreen) {
    const std::vector<LONG> atDesignDpi = LayoutOf(window);
    const auto moveToScreen = [&](WORD dpi, RECT suggested) {
        SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(GetWindow(window, GW_CHILD), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        return font.lfHeight;
    };

    EXPECT_EQ(moveToScreen(120, {600, 400, 804, 809}), -15);
    EXPECT_EQ(LayoutOf(window),
              (std::vector<LONG>{600, 400, 194, 375, 100, 0, 194, 375, 0, 0, 100, 41, 0, 338, 100, 375}));
    EXPECT_EQ(moveToScreen(96, {278, 146, 441, 473}), -12);
    EXPECT_EQ(LayoutOf(window), atDesignDpi);
}

// A screen reader tells the slots apart by the digit that recalls them.
TEST_F(TheMainWindow, NamesEachSlotAfterItsDigitForScreenReaders) {
    const std::vector<HWND> boxes = EditBoxes();
    ASSERT_EQ(boxes.size(), 11u);
    for (int row = 1; row <= 10; ++row) {
        EXPECT_EQ(AccessibleName(boxes[row]), L"Slot " + std::to_wstring(row % 10));
    }
    EXPECT_EQ(AccessibleName(FindWindowExA(window, nullptr, "Button", "Mini")), L"Mini");
}

// The face is found by its Unicode name on every code page, and the slots are drawn in the code
// page their bytes are in.
TEST_F(TheMainWindow, GivesTheSlotsTheGothicFaceInTheCharacterSetOfTheSystemsCodePage) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(EditBoxes().at(1), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");  // "ＭＳ Ｐゴシック"
    ASSERT_TRUE(GetACP() == 932 || GetACP() == 1252) << "the tests run in code page 932 or 1252";
    EXPECT_EQ(font.lfCharSet, GetACP() == 932 ? SHIFTJIS_CHARSET : ANSI_CHARSET);
}

}  // namespace
