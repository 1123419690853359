#include "ui/Unit1.h"

#include "app/application.h"
#include "app/error_text.h"
#include "app/exceptions.h"
#include "resources/form1_values.h"

namespace {

// A property read from the form's values that fails is reported with its component and name.
template <typename Apply>
void ReadProperty(const char* component, const char* property, Apply apply) {
    try {
        apply();
    } catch (const Exception& error) {
        throw EReadError(ReadErrorMessage(component, property, error.Message()));
    }
}

}  // namespace

TForm1::TForm1() : TForm(form1::Window) {
    NowClip = TMemo(win32::CreateMemoWindow(Handle(), form1::NowClip.Left, form1::NowClip.Top,
                                            form1::NowClip.Width, form1::NowClip.Height));
    ShowWindow(NowClip.Handle(), SW_HIDE);
    NowClip.SetText(form1::NowClipText);
    Button3 = CreateWindowExA(0, "BUTTON", form1::Button3Caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                              form1::Button3.Left, form1::Button3.Top, form1::Button3.Width,
                              form1::Button3.Height, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    ReadProperty("Timer1", "Interval", [this] { Timer1.SetInterval(form1::Timer1Interval); });
    ReadProperty("Timer1", "OnTimer", [this] { Timer1.SetOnTimer([this](TObject* sender) { Timer1Timer(sender); }); });
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

void TForm1::FormCreate(TObject*) { CreateSlotMemos(Handle()); }
