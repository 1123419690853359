#pragma once
// A fresh Quavelin.exe for each end-to-end test, and what the tests do with it: look at its
// slots and windows, copy with the real clipboard, press keys, click the icon and the "Mini"
// button. Every test starts its own program, so the tests pass alone and in any order.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "tests/win/quavelin_process.h"
#include "tests/win/test_window.h"

// The message by which the tray icon reports a mouse action to the main window.
inline constexpr UINT TrayIconMessage = WM_USER + 100;

// One started program and its windows, found once its message loop runs.
class StartedQuavelin {
public:
    explicit StartedQuavelin(const QuavelinStart& start = {});
    // A program still running is ended, its tray icon taken away first: the next program's icon
    // is then the first one in the notification area straight away.
    ~StartedQuavelin();
    StartedQuavelin(const StartedQuavelin&) = delete;
    StartedQuavelin& operator=(const StartedQuavelin&) = delete;

    // Waits until the main window, the application window and the eleven edit boxes exist and
    // the program waits for input. Error boxes of start-up are left open.
    bool WaitUntilRunning();

    QuavelinProcess process;
    HWND mainWindow = nullptr;
    HWND appWindow = nullptr;
    // NowClip, slots 1 to 9, slot 0, in creation order.
    std::vector<HWND> boxes;
};

// Each test starts and ends with an empty clipboard: a text of several megabytes left by an
// earlier test would slow the next program's start-up capture by seconds.
class RunningQuavelin : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND MainWindow() const { return quavelin_->mainWindow; }
    HWND AppWindow() const { return quavelin_->appWindow; }
    const QuavelinProcess& Process() const { return quavelin_->process; }
    HWND Slot(int digit) const;
    HWND NowClip() const { return quavelin_->boxes[0]; }
    HWND MiniButton() const { return FindWindowExA(MainWindow(), nullptr, "Button", "Mini"); }
    std::string SlotText(int digit) const { return WindowText(Slot(digit)); }
    // Types text into slot digit as another program could, through WM_SETTEXT.
    void SetSlotText(int digit, const std::string& text) const;
    // Gives every slot a text of its own, "slot 1" to "slot 0", and checks that each still
    // holds it.
    void NameEverySlot() const;
    void ExpectEverySlotNamed() const;

    bool Running() const { return Process().WaitForExit(0) == STILL_ACTIVE; }
    bool Shown() const { return IsWindowVisible(MainWindow()) != FALSE; }
    bool HiddenBehindTheIcon() const;
    bool ShownWithoutIcon() const;
    // A left press on the icon, as the shell reports it.
    void ShowFromTheIcon() const;

    // Puts text on the clipboard, as another program's copy does.
    void Copy(const std::string& text) const;
    // Copies text and waits until the program has taken it into slot digit.
    bool CopyInto(int digit, const std::string& text) const;
    bool WaitForNowClip(const std::string& text, DWORD timeoutMs = TickTimeoutMs) const;
    // Holds Ctrl and the digit until slot digit's text has been recalled.
    bool Recall(int digit) const;

    // Clicks the control with the real mouse and waits until it has the keyboard focus.
    bool FocusByClick(HWND control) const;
    HWND Focus() const;
    bool WaitForFocus(HWND control) const;

    std::unique_ptr<TestApplication> owner_ = std::make_unique<TestApplication>();
    std::unique_ptr<StartedQuavelin> quavelin_;
};

// Presses the keys in the order given and lets them go in reverse order.
void PressKeys(std::initializer_list<WORD> keys);
