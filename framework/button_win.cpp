#include "framework/button.h"

#include "base/exceptions.h"

namespace {

// Marks the button windows made here, so that a notification is never taken for one of them
// when it comes from another control.
constexpr char ButtonProperty[] = "QuavelinButton";

}  // namespace

TButton::TButton(HWND parent, const TBounds& bounds, const char* caption) {
    handle_ = CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                              bounds.Left, bounds.Top, bounds.Width, bounds.Height, parent, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (!handle_) throw EOutOfResources(CannotCreateWindowMessage);
    SetPropA(handle_, ButtonProperty, this);
}

TButton::~TButton() {
    RemovePropA(handle_, ButtonProperty);
    DestroyWindow(handle_);
}

TButton* TButton::FromHandle(HWND window) {
    return window ? static_cast<TButton*>(GetPropA(window, ButtonProperty)) : nullptr;
}
