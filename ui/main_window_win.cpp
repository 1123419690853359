#include "ui/main_window.h"

#include <cstdint>

#include "base/read_property.h"
#include "base/scope_exit.h"
#include "framework/fault_injection.h"
#include "ui/main_window_values.h"
#include "ui/running_copy.h"

namespace {

// A refused icon is asked for again every 20th poll, about once a second.
constexpr int TrayRetryTicks = 20;

// The shell call for the icon. The test build can have the first add refused, as a notification
// area that does not answer yet at log-on refuses it.
BOOL WINAPI NotifyShell(DWORD message, PNOTIFYICONDATAA record) {
    static bool refusedOnce = false;
    if (message == NIM_ADD && !refusedOnce && InjectedFault("Shell_NotifyIconA")) {
        refusedOnce = true;
        return FALSE;
    }
    return Shell_NotifyIconA(message, record);
}

}  // namespace

// The declared children in the order the window's design lists them, scaled to the screen: the
// hidden record of the last clipboard text, the "Mini" button, the poll timer.
TMainWindow::TMainWindow(TApplication& application)
    : TForm(application.FormHost(), main_window::Window),
      application_(application),
      slots_(application.AppWindow()),
      trayIcon_(&NotifyShell),
      showRunningCopy_(RegisterWindowMessageA(ShowRunningCopyMessage)) {
    const TBounds record = Scaled(main_window::NowClip);
    slots_.CreateNowClip(Handle(), record.Left, record.Top, record.Width, record.Height, main_window::NowClipText);
    ShowWindow(slots_.NowClipWindow(), SW_HIDE);
    miniButton_ =
        std::make_unique<TButton>(Handle(), Scaled(main_window::MiniButton), main_window::MiniButtonCaption);
    miniButton_->OnClick = [this](TObject*) { HideToTray(); };
    ReadProperty(main_window::PollTimerName, "Interval", [this] { pollTimer_.SetInterval(main_window::PollInterval); });
    ReadProperty(main_window::PollTimerName, "OnTimer", [this] { pollTimer_.SetOnTimer([this](TObject*) { PollTick(); }); });
    ControlsChanged();
    OnCreate = [this](TObject*) { FormCreate(); };
    OnClose = [this](TObject*, TCloseAction&) { FormClose(); };
    MarkAsTheRunningCopy();
}

TMainWindow::~TMainWindow() { RemovePropA(Handle(), RunningCopyProperty); }

// The window is hidden behind its icon before anything can show it, so it never flashes. The
// slot boxes take the window's font even when the start-up capture fails.
void TMainWindow::FormCreate() {
    application_.ShowMainWindowOnRun = false;
    HideToTray();
    const ScopeExit fontAndSize([this] { ControlsChanged(); });
    slots_.CreateSlotMemos(Handle(), SlotColumn());
}

TSlotColumn TMainWindow::SlotColumn() const {
    const TBounds column = Scaled(main_window::SlotColumn);
    return {column.Width, column.Height};
}

void TMainWindow::PlaceControls() {
    const TBounds record = Scaled(main_window::NowClip);
    slots_.MoveNowClip(record.Left, record.Top, record.Width, record.Height);
    slots_.MoveSlotMemos(SlotColumn());
    const TBounds button = Scaled(main_window::MiniButton);
    MoveWindow(miniButton_->Handle(), button.Left, button.Top, button.Width, button.Height, TRUE);
}

// From the close on, a second start no longer hands over to this copy, which also refuses a
// request already on its way: the start waits for it to end and then runs itself.
void TMainWindow::FormClose() {
    trayIcon_.RemoveTrayIcon(Handle());
    RemovePropA(Handle(), RunningCopyProperty);
}

// The icon is asked for before the slots' poll, whose clipboard may be held elsewhere.
void TMainWindow::PollTick() {
    if (--ticksUntilTrayRetry_ <= 0) {
        ticksUntilTrayRetry_ = TrayRetryTicks;
        trayIcon_.AddIfRefused();
    }
    slots_.Tick();
}

// A press on the icon that came in while the shell took it has shown the window again, and the
// window then stays, as the press asked: hidden, it would have no icon to come back by.
void TMainWindow::HideToTray() {
    trayIcon_.AddTrayIcon(Handle(), application_.AppIcon());
    if (trayIcon_.TrayIconWanted) HideWindow();
}

void TMainWindow::RestoreFromTray() {
    trayIcon_.RemoveTrayIcon(Handle());
    ShowAndRaise();
}

LRESULT TMainWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TRAYNOTIFY) {
        TrayNotify(lParam);
        return 0;
    }
    if (message == showRunningCopy_ && showRunningCopy_ != 0) return ShowAtRequestOfASecondStart();
    if (message == taskbarCreated_ && taskbarCreated_ != 0) trayIcon_.AddAgainAfterShellRestart();
    // The window has moved to a screen of other pixels per inch, or the screen has changed.
    if (message == WM_DPICHANGED) {
        ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    return TForm::WndProc(message, wParam, lParam);
}

// A copy running as administrator still hears a second start and the shell's restart, which
// come from programs that are not elevated.
void TMainWindow::MarkAsTheRunningCopy() {
    SetPropA(Handle(), RunningCopyProperty, Handle());
    LetInFromLowerIntegrity(Handle(), showRunningCopy_);
    LetInFromLowerIntegrity(Handle(), taskbarCreated_);
}

// As a left click on the icon does, also when the program sits minimised on its taskbar button;
// the window comes to the front, which the second start has allowed. The user started the
// program again to reach the window, so it never stays minimised, even at its first show. A
// copy that is closing, or ending at a log-off, refuses.
LRESULT TMainWindow::ShowAtRequestOfASecondStart() {
    if (!GetPropA(Handle(), RunningCopyProperty) || application_.QuitRequested) return 0;
    application_.RestoreApplication();
    RestoreFromTray();
    RestoreIfMinimised();
    SetForegroundWindow(Handle());
    return RunningCopyShown;
}

// The press, not the release or a double click, acts. The icon picked from the keyboard, or
// with the mouse and then Enter, reports a selection: it shows the window as a left press does,
// but only while the window hides behind the icon, so that the selection that follows a real
// left click does not act a second time. The menu key asks for a menu the icon does not have.
void TMainWindow::TrayNotify(LPARAM mouseMessage) {
    switch (static_cast<std::uint32_t>(mouseMessage)) {
        case WM_LBUTTONDOWN:
            RestoreFromTray();
            break;
        case NIN_SELECT:
        case NIN_KEYSELECT:
            if (!trayIcon_.TrayIconWanted) break;
            RestoreFromTray();
            // Picked from the keyboard, the window takes the keys, which the shell allows it.
            SetForegroundWindow(Handle());
            break;
        case WM_RBUTTONDOWN:
            CloseMainWindow();
            break;
        default:
            break;
    }
}
