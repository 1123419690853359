#pragma once
// The main window: holds the slots, the poll timer, the "Mini" button and the tray icon, and
// wires the timer, the button and its own creation and close events to them.
#include <windows.h>

#include <memory>

#include "framework/application.h"
#include "framework/button.h"
#include "framework/form.h"
#include "framework/timer.h"
#include "slots/slot_poll.h"
#include "ui/tray_icon.h"

class TMainWindow : public TForm {
public:
    explicit TMainWindow(TApplication& application);
    ~TMainWindow() override;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PlaceControls() override;

private:
    void FormCreate();
    void FormClose();
    void PollTick();
    void HideToTray();
    void RestoreFromTray();
    void TrayNotify(LPARAM mouseMessage);
    void MarkAsTheRunningCopy();
    LRESULT ShowAtRequestOfASecondStart();
    TSlotColumn SlotColumn() const;

    TApplication& application_;
    TSlotPoll slots_;
    TTimer pollTimer_;
    std::unique_ptr<TButton> miniButton_;
    TTrayIcon trayIcon_;
    int ticksUntilTrayRetry_ = 0;
    // Broadcast by the desktop shell when it has re-created the taskbar.
    const UINT taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    // Posted by a second start of the program in this session.
    const UINT showRunningCopy_;
};
