#pragma once
// The main window's values: its own properties and its declared children, in design order.
#include "framework/form.h"

namespace main_window {

// UTF-16: "ＭＳ Ｐゴシック" (a proportional gothic face)
inline constexpr wchar_t FontName[] = L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF";

// The window class keeps the name other programs find the window by.
inline const TFormValues Window{
    .ClassName = "TForm1",
    .Left = 278,
    .Top = 146,
    .Width = 163,
    .Height = 327,
    .AutoSize = true,
    .Caption = "Quavelin",
    .Color = COLOR_BTNFACE,
    .Font = {.Height = -12, .Name = FontName},
};

// The slot boxes' column, ten boxes 30 pixels high.
inline constexpr TBounds SlotColumn{0, 0, 80, 300};

// The hidden record of the last clipboard text, under slot 1.
inline constexpr TBounds NowClip{0, 0, 80, 33};
inline constexpr char NowClipText[] = "NowClip\r\n";

inline constexpr TBounds MiniButton{80, 0, 75, 300};
inline constexpr char MiniButtonCaption[] = "Mini";

// The poll timer's name shows in the message of a failure to arm it.
inline constexpr char PollTimerName[] = "Timer1";
inline constexpr unsigned PollInterval = 50;

}  // namespace main_window
