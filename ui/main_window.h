#pragma once
// The main window: holds all of the program's state and wires its timer, its button and its
// creation and close events to the slots and the tray icon.
#include <windows.h>

#include <memory>

#include "framework/button.h"
#include "framework/form.h"
#include "framework/timer.h"
#include "slots/slot_poll.h"
#include "ui/tray_icon.h"

class TForm1 : public TForm {
public:
    TForm1();

    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Button3Click(TObject* Sender);

    void AddTrayIcon();
    void RemoveTrayIcon();
    void HideToTray();
    void RestoreFromTray();

    TSlotPoll Slots;
    TTimer Timer1;
    std::unique_ptr<TButton> Button3;
    TTrayIcon TrayIcon;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void TrayNotify(LPARAM mouseMessage);

    // Broadcast by the desktop shell when it has re-created the taskbar.
    const UINT taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
};

// The program's main window while it exists.
inline TForm1* Form1 = nullptr;
