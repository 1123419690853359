#pragma once
// The ten slots and the 50 ms poll: a changed clipboard text goes into the current slot, and
// Ctrl+digit puts that slot's text on the clipboard and makes it current. The slot texts live
// only in their text boxes; the main window holds this object and forwards its timer to Tick.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "slots/clipboard.h"
#include "slots/text_box.h"

// The slot boxes' column on the main window, in pixels of the screen: the ten boxes share its
// height, slot 1 at the top.
struct TSlotColumn {
    int Width = 0;
    int Height = 0;
};

class TSlotPoll {
public:
    static constexpr int SlotCount = 10;

    // clipboardOwner: the application window, which owns the clipboard while it is open.
    explicit TSlotPoll(win32::HWND clipboardOwner)
        : clipboardOwner_(clipboardOwner), secretMarkers_(RegisterSecretMarkers()) {}

    // Makes the hidden record of the last clipboard text read or written, holding text.
    void CreateNowClip(win32::HWND parent, int left, int top, int width, int height,
                       const std::string& text);
    win32::HWND NowClipWindow() const { return nowClip_.Handle(); }
    // What the NowClip box holds, kept here so that a tick never reads the box back.
    const std::string& NowClipText() const { return nowClipText_; }
    // Builds the slot boxes in column on parent (slots 1 to 9, then 0, top to bottom), named
    // "Slot 1" to "Slot 0" for screen readers, and captures the clipboard's current text into
    // slot 0, unless that text is marked secret.
    void CreateSlotMemos(win32::HWND parent, TSlotColumn column);
    // Move the boxes to their places on a screen of other pixels per inch.
    void MoveNowClip(int left, int top, int width, int height) const;
    void MoveSlotMemos(TSlotColumn column) const;
    // One poll: captures a changed clipboard text, then recalls the slots of held Ctrl+digits.
    void Tick();

    // Both take the text by value: a text read for them is moved in, never copied.
    void SetNowClip(std::string text);
    void StoreToSlot(std::int32_t index, std::string text);
    void RecallSlot(std::int32_t index);

    std::array<TMemo, SlotCount> SlotMemos{};     // slot i is recalled by Ctrl+i
    std::int32_t CurrentSlot = 0;                 // receives the next captured text

private:
    void CaptureChangedClipboard();
    bool ClipboardUnchangedSinceSeen(std::uint32_t sequenceNumber) const;
    bool NeedsNoCapture(ClipboardFinding finding) const;
    bool StopAskingOwner(std::uint32_t sequenceNumber);
    void CaptureUnmarkedText();
    void RecallHeldDigits();

    win32::HWND clipboardOwner_;
    SecretMarkers secretMarkers_;
    TMemo nowClip_;                               // the last clipboard text read or written
    std::string nowClipText_;
    // The clipboard's change number taken before a look that found nothing to capture: NowClip's
    // text, a secret, or no text where none is to be taken, the last one also when an owner has not
    // rendered its text for a second. Forgotten whenever NowClip changes.
    std::optional<std::uint32_t> sequenceSeen_;
    // The first look that could not have the offered text of this change number, and when.
    struct UnrenderedLook {
        std::uint32_t sequenceNumber;
        std::uint32_t at;  // GetTickCount, in ms
    };
    std::optional<UnrenderedLook> unrenderedSince_;
    // A secret has been on the clipboard since NowClip was set. Its text never counted as seen,
    // so the clipboard's emptying afterwards is no change to capture.
    bool secretSinceNowClip_ = false;
};
