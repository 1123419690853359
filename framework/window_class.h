#pragma once
// The program's window classes are registered once per process, by whoever needs one first.
#include <windows.h>

// Registers the class unless this module has it already; raises EOutOfResources when it cannot
// be registered.
void RegisterClassOnce(const WNDCLASSA& windowClass);

// Shift-JIS: "ウィンドウクラスの作成でエラーが発生しました" (the window class could not be made)
inline constexpr char ClassRegistrationMessage[] =
    "\x83" "E\x83" "B\x83\x93\x83h\x83" "E\x83N\x83\x89\x83X\x82\xCC\x8D\xEC\x90\xAC\x82\xC5\x83G"
    "\x83\x89\x81[\x82\xAA\x94\xAD\x90\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
