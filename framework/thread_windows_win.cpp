#include "framework/thread_windows.h"

namespace {

struct OtherWindowSearch {
    HWND self;
    HWND applicationWindow;
    HWND found;
};

BOOL CALLBACK FindOtherActivatable(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<OtherWindowSearch*>(search);
    if (window == wanted->self || window == wanted->applicationWindow) return TRUE;
    if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    wanted->found = window;
    return FALSE;
}

}  // namespace

HWND OtherActivatableWindow(HWND self, HWND applicationWindow) {
    OtherWindowSearch search{self, applicationWindow, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindOtherActivatable, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
