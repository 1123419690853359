// The tray icon's record and its add and remove rules, against a recording stand-in for the
// desktop shell's Shell_NotifyIconA.
#include "ui/tray_icon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAA record;
};

std::vector<ShellCall> shellCalls;
BOOL shellAnswer = TRUE;
// What the program does while a call waits for the shell: the icon's messages come in then.
std::function<void(DWORD message)> whileShellAnswers;

BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAA record) {
    shellCalls.push_back({message, *record});
    if (whileShellAnswers) whileShellAnswers(message);
    return shellAnswer;
}

class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override {
        shellCalls.clear();
        shellAnswer = TRUE;
        whileShellAnswers = nullptr;
    }

    TTrayIcon icon{&RecordShellCall};
    HWND window = reinterpret_cast<HWND>(0x1234);
    HICON picture = reinterpret_cast<HICON>(0x5678);
};

// Every icon the shell takes is given its version at once, so that picked from the keyboard it
// reports a selection and not the right press that ends the program.
TEST_F(TrayIcon, AddRegistersTheSecondFormOfTheRecordAndSetsItsVersion) {
    icon.AddTrayIcon(window, picture);

    ASSERT_EQ(shellCalls.size(), 2u);
    EXPECT_EQ(shellCalls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(shellCalls[1].message, static_cast<DWORD>(NIM_SETVERSION));
    EXPECT_EQ(shellCalls[1].record.uVersion, 3u);
    const NOTIFYICONDATAA& record = shellCalls[0].record;
    EXPECT_EQ(record.cbSize, sizeof(void*) == 4 ? 488u : 504u);
    EXPECT_EQ(record.hWnd, window);
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 1124u);
    EXPECT_EQ(record.hIcon, picture);
    char tip[64] = "Tasktary...";
    EXPECT_EQ(std::memcmp(record.szTip, tip, sizeof tip), 0);
    EXPECT_TRUE(icon.TrayIconShown);
}

TEST_F(TrayIcon, TheShellIsNeverAskedTwice) {
    icon.RemoveTrayIcon(window);
    EXPECT_TRUE(shellCalls.empty()) << "removed while not registered";

    icon.AddTrayIcon(window, picture);
    icon.AddTrayIcon(window, picture);
    icon.RemoveTrayIcon(window);
    icon.RemoveTrayIcon(window);

    ASSERT_EQ(shellCalls.size(), 3u);
    EXPECT_EQ(shellCalls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(shellCalls[2].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(icon.TrayIconShown);
}

TEST_F(TrayIcon, RemoveRefreshesOnlyTheFieldsThatNameTheIcon) {
    icon.AddTrayIcon(window, picture);
    icon.TrayIconData.cbSize = 0;
    icon.TrayIconData.uFlags = 0;

    icon.RemoveTrayIcon(window);

    const NOTIFYICONDATAA& record = shellCalls.back().record;
    EXPECT_EQ(record.cbSize, shellCalls.front().record.cbSize);
    EXPECT_EQ(record.hWnd, window);
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 0u) << "kept from before";
    EXPECT_EQ(record.hIcon, picture);
}

// A press on the icon that comes in while the shell is still taking it shows the window, which
// wants no icon: the icon goes as soon as the shell has it.
TEST_F(TrayIcon, AnIconUnwantedWhileTheShellTookItIsRemoved) {
    for (DWORD during : {DWORD{NIM_ADD}, DWORD{NIM_SETVERSION}}) {
        whileShellAnswers = [&](DWORD message) {
            if (message != during) return;
            whileShellAnswers = nullptr;
            icon.RemoveTrayIcon(window);
        };
        icon.AddTrayIcon(window, picture);
        EXPECT_FALSE(icon.TrayIconShown) << during;
        EXPECT_EQ(shellCalls.back().message, static_cast<DWORD>(NIM_DELETE)) << during;
    }
}

// At log-on the shell may refuse the icon: it is not counted as registered, not removed, and
// asked for again until the shell takes it, first by asking whether a timed-out add took. Only
// an icon the shell has taken is given its version.
TEST_F(TrayIcon, ARefusedIconIsAskedForAgainUntilTheShellTakesIt) {
    shellAnswer = FALSE;
    icon.AddTrayIcon(window, picture);
    icon.AddIfRefused();
    EXPECT_FALSE(icon.TrayIconShown);

    shellAnswer = TRUE;
    icon.AddIfRefused();
    icon.AddIfRefused();
    EXPECT_TRUE(icon.TrayIconShown);
    ASSERT_EQ(shellCalls.size(), 5u);
    EXPECT_EQ(shellCalls[1].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(shellCalls[2].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(std::memcmp(&shellCalls[2].record, &shellCalls[0].record, sizeof(NOTIFYICONDATAA)), 0);
    EXPECT_EQ(shellCalls[4].message, static_cast<DWORD>(NIM_SETVERSION));

    shellAnswer = FALSE;
    icon.RemoveTrayIcon(window);
    icon.AddTrayIcon(window, picture);
    icon.RemoveTrayIcon(window);
    icon.AddIfRefused();
    ASSERT_EQ(shellCalls.size(), 7u) << "a refused icon is neither deleted nor asked for once unwanted";
    EXPECT_EQ(shellCalls[5].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(shellCalls[6].message, static_cast<DWORD>(NIM_ADD));
}

TEST_F(TrayIcon, AShellRestartRegistersTheIconAgainOnlyWhileItIsWanted) {
    icon.AddAgainAfterShellRestart();
    EXPECT_TRUE(shellCalls.empty());

    icon.AddTrayIcon(window, picture);
    icon.AddAgainAfterShellRestart();

    ASSERT_EQ(shellCalls.size(), 4u);
    EXPECT_EQ(shellCalls[2].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(std::memcmp(&shellCalls[2].record, &shellCalls[0].record, sizeof(NOTIFYICONDATAA)), 0);
    EXPECT_EQ(shellCalls[3].message, static_cast<DWORD>(NIM_SETVERSION)) << "the new shell knows no version";
}

}  // namespace
