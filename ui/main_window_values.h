#pragma once
// The main window's values: its own properties and its declared children, in resource order.
#include "framework/form.h"

namespace form1 {

// Shift-JIS: "ＭＳ Ｐゴシック" (a proportional gothic face)
inline constexpr char FontName[] = "\x82l\x82r \x82o\x83S\x83V\x83" "b\x83N";

inline const TFormValues Window{
    .ClassName = "TForm1",
    .Left = 278,
    .Top = 146,
    .Width = 163,
    .Height = 327,
    .AutoSize = true,
    .Caption = "Quavelin",
    .Color = COLOR_BTNFACE,
    .Font = {.Charset = SHIFTJIS_CHARSET, .Height = -12, .Name = FontName},
};

inline constexpr TBounds NowClip{0, 0, 80, 33};
inline constexpr char NowClipText[] = "NowClip\r\n";

inline constexpr TBounds Button3{80, 0, 75, 300};
inline constexpr char Button3Caption[] = "Mini";

inline constexpr unsigned Timer1Interval = 50;

}  // namespace form1
