#include "framework/window_class.h"

#include "base/exceptions.h"
#include "framework/fault_injection.h"

void RegisterClassOnce(const WNDCLASSA& windowClass) {
    WNDCLASSA existing{};
    if (GetClassInfoA(windowClass.hInstance, windowClass.lpszClassName, &existing)) return;
    if (InjectedFault("RegisterClass") || !RegisterClassA(&windowClass)) {
        throw EOutOfResources(ClassRegistrationMessage);
    }
}
