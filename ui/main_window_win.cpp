#include "ui/main_window.h"

#include <cstdint>

#include "framework/application.h"
#include "base/read_property.h"
#include "ui/main_window_values.h"

// The declared children in the order the form's values list them: NowClip, Button3, Timer1.
TForm1::TForm1() : TForm(form1::Window), Slots(Application->AppWindow) {
    Slots.CreateNowClip(Handle(), form1::NowClip.Left, form1::NowClip.Top, form1::NowClip.Width,
                        form1::NowClip.Height, form1::NowClipText);
    ShowWindow(Slots.NowClipWindow(), SW_HIDE);
    Button3 = std::make_unique<TButton>(Handle(), form1::Button3, form1::Button3Caption);
    Button3->OnClick = [this](TObject* sender) { Button3Click(sender); };
    ReadProperty("Timer1", "Interval", [this] { Timer1.SetInterval(form1::Timer1Interval); });
    ReadProperty("Timer1", "OnTimer", [this] { Timer1.SetOnTimer([this](TObject*) { Slots.Tick(); }); });
    ControlsChanged();
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    TrayIcon.TrayIconShown = false;
}

// The window is hidden behind its icon before anything can show it, so it never flashes.
void TForm1::FormCreate(TObject*) {
    Application->ShowMainWindowOnRun = false;
    HideToTray();
    Slots.CreateSlotMemos(Handle());
    ControlsChanged();
}

void TForm1::FormClose(TObject*, TCloseAction&) { RemoveTrayIcon(); }

void TForm1::Button3Click(TObject*) { HideToTray(); }

void TForm1::AddTrayIcon() { TrayIcon.AddTrayIcon(Handle(), Application->AppIcon); }

void TForm1::RemoveTrayIcon() { TrayIcon.RemoveTrayIcon(Handle()); }

void TForm1::HideToTray() {
    AddTrayIcon();
    HideWindow();
}

void TForm1::RestoreFromTray() {
    RemoveTrayIcon();
    ShowAndRaise();
}

LRESULT TForm1::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TRAYNOTIFY) {
        TrayNotify(lParam);
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) TrayIcon.AddAgainAfterShellRestart();
    return TForm::WndProc(message, wParam, lParam);
}

// The press, not the release or a double click, acts.
void TForm1::TrayNotify(LPARAM mouseMessage) {
    switch (static_cast<std::uint32_t>(mouseMessage)) {
        case WM_LBUTTONDOWN:
            RestoreFromTray();
            break;
        case WM_RBUTTONDOWN:
            CloseMainWindow();
            break;
        default:
            break;
    }
}
