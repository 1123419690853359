#include "tests/win/running_quavelin.h"

#include "tests/win/tray.h"

namespace {

constexpr std::size_t BoxCount = 11;

}  // namespace

StartedQuavelin::StartedQuavelin(const QuavelinStart& start) : process(start) {}

StartedQuavelin::~StartedQuavelin() {
    if (process.WaitForExit(0) == STILL_ACTIVE && mainWindow) ForgetTrayIcon(mainWindow);
}

bool StartedQuavelin::WaitUntilRunning() {
    mainWindow = process.WaitForWindow("TForm1", StartTimeoutMs);
    appWindow = process.WaitForWindow("TApplication", TickTimeoutMs);
    if (!mainWindow || !appWindow) return false;
    return WaitUntil([this] {
        boxes = process.EditBoxes(mainWindow);
        return boxes.size() == BoxCount && process.WaitUntilIdle(0);
    }, TickTimeoutMs);
}

void RunningQuavelin::SetUp() {
    EmptyTheClipboard(owner_->Window());
    quavelin_ = std::make_unique<StartedQuavelin>();
    ASSERT_TRUE(quavelin_->WaitUntilRunning()) << "Quavelin.exe did not come up";
}

void RunningQuavelin::TearDown() { EmptyTheClipboard(owner_->Window()); }

HWND RunningQuavelin::Slot(int digit) const { return quavelin_->boxes[digit == 0 ? 10 : digit]; }

void RunningQuavelin::SetSlotText(int digit, const std::string& text) const {
    SendMessageA(Slot(digit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void RunningQuavelin::NameEverySlot() const {
    for (int digit = 0; digit < 10; ++digit) SetSlotText(digit, "slot " + std::to_string(digit));
}

void RunningQuavelin::ExpectEverySlotNamed() const {
    for (int digit = 0; digit < 10; ++digit) EXPECT_EQ(SlotText(digit), "slot " + std::to_string(digit));
}

bool RunningQuavelin::HiddenBehindTheIcon() const {
    return !Shown() && !IsWindowVisible(AppWindow()) && TrayIconRegistered(MainWindow());
}

bool RunningQuavelin::ShownWithoutIcon() const {
    return Shown() && IsWindowVisible(AppWindow()) && !TrayIconRegistered(MainWindow());
}

void RunningQuavelin::ShowFromTheIcon() const { SendMessageA(MainWindow(), TrayIconMessage, 1, WM_LBUTTONDOWN); }

void RunningQuavelin::Copy(const std::string& text) const { PutRawClipboard(CF_TEXT, text + '\0', owner_->Window()); }

bool RunningQuavelin::CopyInto(int digit, const std::string& text) const {
    Copy(text);
    return WaitUntil([&] { return SlotText(digit) == text; }, TickTimeoutMs);
}

// Polled through the box rather than the clipboard, so that the test holds the clipboard open
// as little as it can.
bool RunningQuavelin::WaitForNowClip(const std::string& text, DWORD timeoutMs) const {
    return WaitUntil([&] { return WindowText(NowClip()) == text; }, timeoutMs);
}

bool RunningQuavelin::Recall(int digit) const {
    const std::string text = SlotText(digit);
    return HoldKeysUntil({VK_CONTROL, static_cast<WORD>('0' + digit)},
                         [&] { return WindowText(NowClip()) == text; }, TickTimeoutMs);
}

bool RunningQuavelin::FocusByClick(HWND control) const {
    SetForegroundWindow(MainWindow());
    ClickWindow(control);
    return WaitForFocus(control);
}

HWND RunningQuavelin::Focus() const {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(MainWindow(), nullptr), &thread);
    return thread.hwndFocus;
}

bool RunningQuavelin::WaitForFocus(HWND control) const {
    return WaitUntil([&] { return Focus() == control; }, TickTimeoutMs);
}

void PressKeys(std::initializer_list<WORD> keys) {
    SendKeys(keys, true);
    SendKeys(keys, false);
}
