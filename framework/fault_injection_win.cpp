// Compiled into test builds only.
#include "framework/fault_injection.h"

#include <windows.h>

#include <cstring>

bool InjectedFault(const char* call) {
    char wanted[64] = {};
    const DWORD length = GetEnvironmentVariableA("QUAVELIN_FAIL", wanted, sizeof wanted);
    return length > 0 && length < sizeof wanted && std::strcmp(wanted, call) == 0;
}
