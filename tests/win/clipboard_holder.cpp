// Holds the clipboard open for another test program: opens it, signals the event named by the
// first argument, and closes it when the event named by the second is signalled or after 20 s.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    HANDLE opened = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (!opened || !release) return 3;
    if (!OpenClipboard(nullptr)) return 4;
    SetEvent(opened);
    WaitForSingleObject(release, 20000);
    CloseClipboard();
    return 0;
}
