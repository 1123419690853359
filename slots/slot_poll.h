#pragma once
// The ten slots and the 50 ms poll: a changed clipboard text goes into the current slot, and
// Ctrl+digit puts that slot's text on the clipboard and makes it current. The slot texts live
// only in their text boxes; the main window holds this state and forwards its timer to it.
#include <array>
#include <cstdint>
#include <string>

#include "slots/text_box.h"

class TObject;

class TSlotPoll {
public:
    static constexpr int SlotCount = 10;
    static constexpr int SlotWidth = 80;
    static constexpr int SlotHeight = 30;

    void SetNowClip(const std::string& text);
    void StoreToSlot(std::int32_t index, const std::string& text);
    void RecallSlot(std::int32_t index);
    // Builds the slot boxes on parent (slots 1 to 9, then 0, top to bottom) and captures the
    // clipboard's current text into slot 0.
    void CreateSlotMemos(win32::HWND parent);
    void Timer1Timer(TObject* Sender);

    TMemo NowClip;                                // the last clipboard text read or written
    std::array<TMemo, SlotCount> SlotMemos{};     // slot i is recalled by Ctrl+i
    std::int32_t CurrentSlot = 0;                 // receives the next captured text

private:
    void CaptureChangedClipboard();
    void RecallHeldDigits();
};
