// Exits with the pixels per inch that Windows gives a new window of a program aware of each
// monitor's DPI, as Quavelin is: the screen's DPI as a test has staged it.
#include <windows.h>

int main() {
    using SetProcessDpiContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    using DpiQuery = UINT(WINAPI*)(HWND);
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto setContext = reinterpret_cast<SetProcessDpiContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    const auto dpiOf = reinterpret_cast<DpiQuery>(reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
    if (!setContext || !dpiOf) return 0;
    setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    return static_cast<int>(dpiOf(window));
}
