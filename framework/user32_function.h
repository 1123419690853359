#pragma once
// A user32 function that older Windows lack, looked up at run time so that the program still
// starts there: nullptr where it is missing.
#include <windows.h>

template <typename Function>
Function User32Function(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}
