#pragma once
// The main window's values: its own properties and its declared children, in resource order.
#include "app/form.h"

namespace form1 {

inline const TFormValues Window{"TForm1", 278, 146, 163, 327, "Quavelin"};

inline constexpr TBounds NowClip{0, 0, 80, 33};
inline constexpr char NowClipText[] = "NowClip\r\n";

inline constexpr TBounds Button3{80, 0, 75, 300};
inline constexpr char Button3Caption[] = "Mini";

inline constexpr unsigned Timer1Interval = 50;

}  // namespace form1
