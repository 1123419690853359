#include "slots/slot_poll.h"

#include <utility>

#include "slots/clipboard.h"

namespace {

constexpr int DigitZeroKey = 48;  // the main row's digit keys share the codes of '0' to '9'
constexpr std::uint32_t AskUnrenderedForMs = 1000;

// Down at this moment, whichever program has the focus: the high bit of the key state.
bool KeyHeld(int virtualKey) { return win32::GetAsyncKeyState(virtualKey) < 0; }

// Slot 1 at the top down to slot 9, then slot 0 at the bottom, like the keyboard's digit row.
int RowOfSlot(int index) { return index == 0 ? 9 : index - 1; }

// The rows share the column's height, each edge rounded to the nearest pixel, so that together
// they fill it exactly.
int RowEdge(int row, TSlotColumn column) {
    return (2 * row * column.Height + TSlotPoll::SlotCount) / (2 * TSlotPoll::SlotCount);
}

struct RowPlace {
    int Top, Height;
};

RowPlace PlaceOfSlot(int index, TSlotColumn column) {
    const int row = RowOfSlot(index);
    return {RowEdge(row, column), RowEdge(row + 1, column) - RowEdge(row, column)};
}

}  // namespace

void TSlotPoll::CreateNowClip(win32::HWND parent, int left, int top, int width, int height,
                              const std::string& text) {
    nowClip_ = TMemo::Create(parent, left, top, width, height);
    nowClip_.SetText(text);
    nowClipText_ = text;
    sequenceSeen_.reset();
}

// Only the program sets the box, so the kept text tells whether it would change.
void TSlotPoll::SetNowClip(std::string text) {
    secretSinceNowClip_ = false;
    if (text == nowClipText_) return;
    nowClip_.OverwriteText(text);
    nowClipText_ = std::move(text);
    sequenceSeen_.reset();
}

void TSlotPoll::StoreToSlot(std::int32_t index, std::string text) {
    SlotMemos[index].SetText(text);
    SetNowClip(std::move(text));
    CurrentSlot = index;
}

// The box is read again after the write so that NowClip holds exactly what the box holds. A
// refused hand-over has emptied the clipboard, and NowClip says so: the next tick then sees no
// change and the slot keeps its text.
void TSlotPoll::RecallSlot(std::int32_t index) {
    try {
        WriteClipboardText(clipboardOwner_, SlotMemos[index].Text());
    } catch (const EClipboardRefusedText&) {
        SetNowClip({});
        throw;
    }
    SetNowClip(SlotMemos[index].Text());
    CurrentSlot = index;
}

void TSlotPoll::CreateSlotMemos(win32::HWND parent, TSlotColumn column) {
    for (int index : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) {
        const RowPlace place = PlaceOfSlot(index, column);
        const std::string name = "Slot " + std::to_string(index);
        SlotMemos[index] = TMemo::Create(parent, 0, place.Top, column.Width, place.Height, name.c_str());
    }
    StoreToSlot(0, ReadUnmarkedClipboardText(clipboardOwner_, secretMarkers_).value_or(""));
}

void TSlotPoll::MoveNowClip(int left, int top, int width, int height) const {
    nowClip_.Move(left, top, width, height);
}

void TSlotPoll::MoveSlotMemos(TSlotColumn column) const {
    for (int index = 0; index < SlotCount; ++index) {
        const RowPlace place = PlaceOfSlot(index, column);
        SlotMemos[index].Move(0, place.Top, column.Width, place.Height);
    }
}

void TSlotPoll::Tick() {
    CaptureChangedClipboard();
    RecallHeldDigits();
}

// The clipboard is opened on every tick, so a clipboard held open elsewhere is reported as
// always; its data is read only when it may have changed. The change number is taken before
// the look, so a change made meanwhile shows at the next tick. A look that could not have the
// offered text is repeated for about a second only.
void TSlotPoll::CaptureChangedClipboard() {
    const std::uint32_t sequenceNumber = win32::GetClipboardSequenceNumber();
    if (ClipboardUnchangedSinceSeen(sequenceNumber)) {
        CheckClipboardOpens(clipboardOwner_);
        return;
    }
    const ClipboardFinding finding = CompareClipboardText(clipboardOwner_, secretMarkers_, nowClipText_);
    if (finding == ClipboardFinding::Secret) secretSinceNowClip_ = true;
    if (finding == ClipboardFinding::SameText) secretSinceNowClip_ = false;
    if (!NeedsNoCapture(finding)) {
        CaptureUnmarkedText();
    } else if (finding != ClipboardFinding::Unreadable || StopAskingOwner(sequenceNumber)) {
        sequenceSeen_ = sequenceNumber;
    }
}

// An owner that fails to render once is asked again; one that never renders (a hung program, a
// remote desktop waiting for its client) is left alone until the clipboard changes, since the
// system waits for it at every request while the clipboard is held open here.
bool TSlotPoll::StopAskingOwner(std::uint32_t sequenceNumber) {
    const std::uint32_t now = win32::GetTickCount();
    if (!unrenderedSince_ || unrenderedSince_->sequenceNumber != sequenceNumber) {
        unrenderedSince_ = UnrenderedLook{sequenceNumber, now};
        return false;
    }
    return now - unrenderedSince_->at >= AskUnrenderedForMs;
}

// The system gives 0 when it numbers nothing for this program, and 0 proves nothing.
bool TSlotPoll::ClipboardUnchangedSinceSeen(std::uint32_t sequenceNumber) const {
    return sequenceNumber != 0 && sequenceSeen_ == sequenceNumber;
}

// A clipboard without text empties the current slot, unless NowClip is empty already or a
// secret was all that came since it was set. Text that is offered but cannot be had yet empties
// nothing: the slot keeps its text until the owner renders the new one.
bool TSlotPoll::NeedsNoCapture(ClipboardFinding finding) const {
    switch (finding) {
        case ClipboardFinding::Secret:
        case ClipboardFinding::SameText:
        case ClipboardFinding::Unreadable:
            return true;
        case ClipboardFinding::NoText:
            return nowClipText_.empty() || secretSinceNowClip_;
        case ClipboardFinding::OtherText:
            break;
    }
    return false;
}

// The text stored is a second read, not the one compared; a secret put there in between is
// left alone.
void TSlotPoll::CaptureUnmarkedText() {
    if (auto text = ReadUnmarkedClipboardText(clipboardOwner_, secretMarkers_)) {
        StoreToSlot(CurrentSlot, std::move(*text));
    }
}

// Every held digit is recalled in ascending order, so the highest one ends on the clipboard.
void TSlotPoll::RecallHeldDigits() {
    if (!KeyHeld(win32::VirtualKeyControl)) return;
    for (int digit = 0; digit < SlotCount; ++digit) {
        if (KeyHeld(DigitZeroKey + digit)) RecallSlot(digit);
    }
}
