// The real main window, built in this process, moved to screens of other pixels per inch. Wine
// never moves a window between such screens, so the test sends WM_DPICHANGED as Windows does: to
// the window's own thread, with the new DPI and a pointer to the rectangle that it suggests.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/win/test_window.h"

namespace {

// To a screen at 125 % and back: the window takes the place suggested, everything in it and its
// font grow by a quarter, the slot boxes share the column's 375 pixels to the nearest pixel, and
// back at 96 all is as it was.
TEST(TheMainWindow, IsLaidOutAgainForTheDpiOfEachScreen) {
    TApplication application;
    application.Initialize();
    application.CreateMainWindow([&] { return std::make_unique<TMainWindow>(application); });
    const HWND window = FindWindowA("TForm1", nullptr);
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
    application.ShutdownWindows();
    application.Finalize();
}

}  // namespace
