#pragma once
// A push button on a form. Its clicks reach OnClick through the form, which receives the
// button's notifications.
#include <windows.h>

#include <functional>

#include "framework/form.h"
#include "base/object.h"

class TButton : public TObject {
public:
    TButton(HWND parent, const TBounds& bounds, const char* caption);
    ~TButton() override;
    TButton(const TButton&) = delete;
    TButton& operator=(const TButton&) = delete;

    HWND Handle() const { return handle_; }
    // The button whose window this is, or nullptr for any other window.
    static TButton* FromHandle(HWND window);

    std::function<void(TObject*)> OnClick;

private:
    HWND handle_ = nullptr;
};
