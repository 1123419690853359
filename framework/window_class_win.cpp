#include "framework/window_class.h"

bool RegisterClassOnce(const WNDCLASSA& windowClass) {
    WNDCLASSA existing{};
    if (GetClassInfoA(windowClass.hInstance, windowClass.lpszClassName, &existing)) return true;
    return RegisterClassA(&windowClass) != 0;
}
