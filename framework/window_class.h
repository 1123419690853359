#pragma once
// The program's window classes are registered once per process, by whoever needs one first.
#include <windows.h>

// Registers the class unless this module has it already. False when it cannot be registered.
bool RegisterClassOnce(const WNDCLASSA& windowClass);
