#pragma once
// The timer component: its own hidden window receives WM_TIMER for system timer 1, and every
// tick calls OnTimer inside an error guard. Changing Enabled, Interval or OnTimer re-arms it.
#include <windows.h>

#include <functional>

#include "base/object.h"

class TTimer : public TObject {
public:
    TTimer();
    ~TTimer() override;
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return interval_; }
    void SetInterval(UINT interval);
    void SetOnTimer(std::function<void(TObject*)> handler);

private:
    void UpdateTimer();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    bool enabled_ = true;
    UINT interval_ = 1000;
    std::function<void(TObject*)> onTimer_;
};
