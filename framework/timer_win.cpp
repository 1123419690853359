#include "framework/timer.h"

#include "base/exceptions.h"
#include "framework/error_guard.h"
#include "framework/fault_injection.h"
#include "framework/window_class.h"

namespace {

constexpr UINT_PTR TimerId = 1;
constexpr char UtilWindowClass[] = "TPUtilWindow";

// Shift-JIS: "タイマーを取得できません" (no timer can be had)
constexpr char NoTimerMessage[] =
    "\x83^\x83" "C\x83}\x81[\x82\xF0\x8E\xE6\x93\xBE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";

HWND CreateUtilWindow(WNDPROC procedure, void* owner) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = UtilWindowClass;
    RegisterClassOnce(windowClass);
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, UtilWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) throw EOutOfResources(NoTimerMessage);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    return window;
}

}  // namespace

TTimer::TTimer() : window_(CreateUtilWindow(&TTimer::WindowProc, this)) {}

TTimer::~TTimer() {
    enabled_ = false;
    KillTimer(window_, TimerId);
    DestroyWindow(window_);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(UINT interval) {
    if (interval == interval_) return;
    interval_ = interval;
    UpdateTimer();
}

void TTimer::SetOnTimer(std::function<void(TObject*)> handler) {
    onTimer_ = std::move(handler);
    UpdateTimer();
}

// Re-arming starts the interval afresh.
void TTimer::UpdateTimer() {
    KillTimer(window_, TimerId);
    if (interval_ != 0 && enabled_ && onTimer_) {
        if (InjectedFault("SetTimer") || !SetTimer(window_, TimerId, interval_, nullptr)) {
            throw EOutOfResources(NoTimerMessage);
        }
    }
}

// A failing tick is shown; the timer goes on ticking.
LRESULT CALLBACK TTimer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != WM_TIMER || !timer) return DefWindowProcA(window, message, wParam, lParam);
    Guarded(timer, [timer] {
        if (timer->onTimer_) timer->onTimer_(timer);
    });
    return 0;
}
