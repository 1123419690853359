#pragma once
// The main window: holds all of the program's state and wires its timer and its creation
// event to the slots.
#include <windows.h>

#include "app/form.h"
#include "app/timer.h"
#include "slots/slot_poll.h"

class TForm1 : public TForm, public TSlotPoll {
public:
    TForm1();

    void FormCreate(TObject* Sender);

    TTimer Timer1;
    HWND Button3 = nullptr;
};

// The program's main window while it exists.
inline TForm1* Form1 = nullptr;
