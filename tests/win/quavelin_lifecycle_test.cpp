// How Quavelin.exe starts and ends: the show mode it is started with, the routes that close it,
// a log-off, and the two fatal start-up failures of the test build. The programs of a suite
// start together, because each start of a 32-bit program may take a minute where it is emulated.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "base/error_text.h"
#include "tests/win/quavelin_process.h"
#include "tests/win/test_window.h"

namespace {

// Copies of the program that run side by side compete for the clipboard, and the one that
// finds it open elsewhere shows its error box. The box disables the program's windows, and a
// disabled window ignores a close from its system menu, as on Windows; so the close is asked for
// again once a box has been answered, as a user would.
DWORD CloseAnsweringBoxes(const QuavelinProcess& process, const std::function<void()>& close) {
    close();
    WaitUntil([&] {
        if (!process.Windows("#32770").empty()) {
            process.AnswerClipboardErrorBoxes(TickTimeoutMs);
            close();
        }
        return process.WaitForExit(0) != STILL_ACTIVE;
    }, TickTimeoutMs * 4);
    return process.WaitForExit(0);
}

// Windows of a started program, found once it has built its main window.
struct Started {
    explicit Started(const QuavelinStart& start) : process(start) {}

    // A start-up capture that met a sibling's clipboard read shows its box before the message
    // loop runs; the box is answered, so that the loop has started when this returns.
    bool WaitUntilRunning() {
        mainWindow = process.WaitForWindow("TForm1", StartTimeoutMs);
        appWindow = process.WaitForWindow("TApplication", TickTimeoutMs);
        return mainWindow && appWindow && WaitUntil([this] {
            if (!process.WaitUntilIdle(0)) return false;
            if (process.Windows("#32770").empty()) return true;
            process.AnswerClipboardErrorBoxes(0);
            return false;
        }, TickTimeoutMs);
    }

    QuavelinProcess process;
    HWND mainWindow = nullptr;
    HWND appWindow = nullptr;
};

// Runs the starts side by side: under Wine, starting a process returns only once it runs.
void StartSideBySide(const std::vector<std::function<void()>>& starts) {
    std::vector<std::thread> starting;
    for (const auto& start : starts) {
        starting.emplace_back([&start] {
            try {
                start();
            } catch (const std::exception& error) {
                ADD_FAILURE() << error.what();
            }
        });
    }
    for (std::thread& thread : starting) thread.join();
}

class StartsAndEnds : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        StartSideBySide({
            [] { maximised = std::make_unique<Started>(QuavelinStart{.ShowMode = SW_SHOWMAXIMIZED}); },
            [] { minimised = std::make_unique<Started>(QuavelinStart{.ShowMode = SW_SHOWMINNOACTIVE}); },
            [] { loggedOff = std::make_unique<Started>(QuavelinStart{}); },
            [] { closedMidCapture = std::make_unique<Started>(QuavelinStart{}); },
            [] {
                noTimer = std::make_unique<QuavelinProcess>(
                    QuavelinStart{.Program = "faults\\Quavelin.exe", .FailingCall = "SetTimer"});
            },
            [] {
                noWindowClass = std::make_unique<QuavelinProcess>(
                    QuavelinStart{.Program = "faults\\Quavelin.exe", .FailingCall = "RegisterClass"});
            },
        });
    }
    void SetUp() override {
        ASSERT_TRUE(maximised && minimised && loggedOff && closedMidCapture && noTimer && noWindowClass);
    }
    static void TearDownTestSuite() {
        maximised.reset();
        minimised.reset();
        loggedOff.reset();
        closedMidCapture.reset();
        noTimer.reset();
        noWindowClass.reset();
    }

    static inline std::unique_ptr<Started> maximised, minimised, loggedOff, closedMidCapture;
    static inline std::unique_ptr<QuavelinProcess> noTimer, noWindowClass;
};

// Matches expected, which holds "00000000" at addressAt, where text holds an address in upper-case
// hexadecimal digits: 8 of them, or up to 16 for a 64-bit program's absolute address.
void ExpectTextWithAddress(const std::string& text, const std::string& expected, std::size_t addressAt,
                           std::size_t mostDigits = 8) {
    const std::size_t digits = text.size() + 8 - expected.size();
    ASSERT_TRUE(digits >= 8 && digits <= mostDigits) << text;
    EXPECT_EQ(text.substr(0, addressAt), expected.substr(0, addressAt));
    EXPECT_EQ(text.substr(addressAt + digits), expected.substr(addressAt + 8));
    for (char digit : text.substr(addressAt, digits)) {
        EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(digit)) && !std::islower(digit)) << text;
    }
}

// The show mode that the program was started with waits, with the window hidden behind its
// icon, until the icon first shows the window.
TEST_F(StartsAndEnds, ShowModeMaximisedTakesEffectAtTheFirstShow_ClosedThroughTheTaskbarButton) {
    ASSERT_TRUE(maximised->WaitUntilRunning());
    EXPECT_FALSE(IsWindowVisible(maximised->mainWindow));
    EXPECT_FALSE(IsWindowVisible(maximised->appWindow));

    SendMessageA(maximised->mainWindow, 1124, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(maximised->mainWindow));
    EXPECT_TRUE(IsZoomed(maximised->mainWindow));
    EXPECT_TRUE(IsWindowVisible(maximised->appWindow));

    EXPECT_EQ(CloseAnsweringBoxes(maximised->process,
                                  [] { PostMessageA(maximised->appWindow, WM_CLOSE, 0, 0); }), 0u);
}

TEST_F(StartsAndEnds, ShowModeMinimisedTakesEffectAtTheFirstShow_ClosedThroughTheSystemMenu) {
    ASSERT_TRUE(minimised->WaitUntilRunning());
    EXPECT_FALSE(IsWindowVisible(minimised->mainWindow));
    EXPECT_FALSE(IsWindowVisible(minimised->appWindow));

    SendMessageA(minimised->mainWindow, 1124, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(minimised->mainWindow));
    EXPECT_TRUE(IsIconic(minimised->mainWindow));

    EXPECT_EQ(CloseAnsweringBoxes(minimised->process,
                                  [] { PostMessageA(minimised->mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0); }), 0u);
}

TEST_F(StartsAndEnds, ALogOffEndsTheProgramThroughTheApplicationWindowOnly) {
    ASSERT_TRUE(loggedOff->WaitUntilRunning());
    EXPECT_EQ(SendMessageA(loggedOff->mainWindow, WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_NE(SendMessageA(loggedOff->appWindow, WM_QUERYENDSESSION, 0, 0), 0);

    SendMessageA(loggedOff->mainWindow, WM_ENDSESSION, TRUE, 0);
    SendMessageA(loggedOff->appWindow, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(loggedOff->process.WaitForExit(500), static_cast<DWORD>(STILL_ACTIVE));

    EXPECT_EQ(CloseAnsweringBoxes(loggedOff->process,
                                  [] { SendMessageA(loggedOff->appWindow, WM_ENDSESSION, TRUE, 0); }), 0u);
}

// Shift-JIS: "タイマーを取得できません" (no timer can be had)
constexpr char NoTimerMessage[] =
    "\x83^\x83" "C\x83}\x81[\x82\xF0\x8E\xE6\x93\xBE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";

TEST_F(StartsAndEnds, ATimerThatCannotBeArmedEndsStartUpWithTheFatalBoxAndCodeOne) {
    HWND box = noTimer->WaitForWindow("#32770", StartTimeoutMs);
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = ViewMessageBox(box);
    EXPECT_EQ(view.Caption, FatalErrorCaption);
    const std::string expected = FatalErrorText("EReadError", "Quavelin.exe", 0,
                                                ReadErrorMessage("Timer1", "OnTimer", NoTimerMessage));
    ExpectTextWithAddress(view.Text, expected, expected.find("00000000"));
    EXPECT_TRUE(view.HasIcon);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);

    PressOk(box);
    EXPECT_EQ(noTimer->WaitForExit(TickTimeoutMs * 4), 1u);
}

TEST_F(StartsAndEnds, AWindowClassThatCannotBeRegisteredEndsWithRuntimeError217) {
    HWND box = noWindowClass->WaitForWindow("#32770", StartTimeoutMs);
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = ViewMessageBox(box);
    EXPECT_EQ(view.Caption, "Error");
    ExpectTextWithAddress(view.Text, "Runtime error 217 at 00000000", 21,
                          noWindowClass->Is32Bit() ? 8 : 16);
    EXPECT_FALSE(view.HasIcon);
    EXPECT_TRUE(noWindowClass->Windows("TApplication").empty());

    PressOk(box);
    EXPECT_EQ(noWindowClass->WaitForExit(TickTimeoutMs * 4), 217u);
}

// Runs after the other copies have ended, so that this one alone reads the large text.
TEST_F(StartsAndEnds, ACloseThatArrivesInTheMiddleOfALargeCaptureEndsCleanly) {
    ASSERT_TRUE(closedMidCapture->WaitUntilRunning());
    TestApplication owner;
    std::string large;
    while (large.size() < 4 * 1024 * 1024) large += std::string(1022, 'L') + "\r\n";

    PutRawClipboard(CF_TEXT, large + '\0', owner.Window());
    ASSERT_TRUE(WaitUntil([] { return closedMidCapture->process.Busy(closedMidCapture->mainWindow); },
                          TickTimeoutMs)) << "the capture never started";
    PostMessageA(closedMidCapture->mainWindow, WM_CLOSE, 0, 0);

    DWORD code = STILL_ACTIVE;
    WaitUntil([&] { return (code = closedMidCapture->process.WaitForExit(0)) != STILL_ACTIVE; }, LargeTextTimeoutMs);
    EXPECT_EQ(code, 0u);
}

}  // namespace
