// Holds an edit box with the slot boxes' styles, filled with about the number of bytes given in
// lines of 24, and handles messages until it is ended, for another process to ask. The smallest
// program that shows whether this Wine answers another process's messages to a large box.
//   large_box_holder BYTES
#include <windows.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::string text;
    for (const std::size_t bytes = std::strtoul(argv[1], nullptr, 10); text.size() < bytes;) {
        text += "a line of 24 bytes ...\r\n";
    }
    HWND holder = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    HWND box = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
                                   ES_AUTOHSCROLL | ES_WANTRETURN,
                               0, 0, 80, 30, holder, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!box) return 3;
    SendMessageA(box, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextA(box, text.c_str());
    // Named only now: the asker finds a box that is already full.
    SetWindowTextA(holder, "Large box holder");
    // Handles messages as the program's own loop does.
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return 0;
            DispatchMessageA(&message);
        }
        WaitMessage();
    }
}
