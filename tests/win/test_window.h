#pragma once
// What the Wine tests share: a hidden window standing in as the application window, so that the
// clipboard has an owner as it has in the program, and raw access to the real clipboard.
#include <windows.h>

#include <array>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class TestApplication {
public:
    TestApplication();
    ~TestApplication();
    TestApplication(const TestApplication&) = delete;
    TestApplication& operator=(const TestApplication&) = delete;

    HWND Window() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Where a control lies in its parent's client area: left, top, right, bottom.
std::array<LONG, 4> PlaceOf(HWND control);
// Where the main window lies and its client size, then the places of its "Mini" button, of its
// first child (NowClip) and of its last (slot 0).
std::vector<LONG> LayoutOf(HWND mainWindow);

// Waits for ms while handling this thread's messages. A test that owns the clipboard must wait
// this way: whoever empties the clipboard next sends its owner window a message and waits for
// the answer.
void PumpMessagesFor(DWORD ms);

// A new movable memory block holding bytes exactly as given, for SetClipboardData.
HGLOBAL BlockOf(const std::string& bytes);
// Replaces the clipboard's contents with one block of format holding bytes exactly as given, or
// with several blocks, put in the order given.
void PutRawClipboard(UINT format, const std::string& bytes, HWND owner);
void PutRawClipboard(std::initializer_list<std::pair<UINT, std::string>> blocks, HWND owner);
// Leaves the clipboard with no data at all.
void EmptyTheClipboard(HWND owner);
// The whole block of format on the clipboard; empty when there is none.
std::string RawClipboard(UINT format);

// The folder that holds the programs a test starts: QUAVELIN_TEST_PROGRAMS when it is set, else
// the test program's own folder. Ends with a backslash.
std::string TestProgramsFolder();

inline constexpr WORD UseDefaultShowMode = 0xFFFF;
// Starts program (a path relative to TestProgramsFolder) with the show mode given, if any, and
// with one more "NAME=value" environment variable, if any. Returns its process handle, which
// the caller closes, or nullptr when it cannot be started.
HANDLE StartTestProgram(const std::string& program, const std::string& arguments,
                        WORD showMode = UseDefaultShowMode, const std::string& extraVariable = "");

// The version of the Wine that runs this program, such as "8.0", or empty on Windows.
std::string WineVersion();
// Whether an edit box holding a mebibyte or more answers another process's messages. Windows
// and Wine 8 answer; Wine 10.0 never does (docs/WINE.md), so there a test looks at a large slot
// another way. AnotherProcessesEditBox.* fails once a Wine no longer fits this.
bool LargeBoxesAnswerOtherProcesses();
