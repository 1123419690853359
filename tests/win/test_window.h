#pragma once
// What the Wine tests share: a hidden window standing in as the application window, so that the
// clipboard has an owner as it has in the program, and raw access to the real clipboard.
#include <windows.h>

#include <string>

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

// Replaces the clipboard's contents with one block of format holding bytes exactly as given.
void PutRawClipboard(UINT format, const std::string& bytes, HWND owner);
// The whole block of format on the clipboard; empty when there is none.
std::string RawClipboard(UINT format);

// Starts a program that lies beside the test program. Returns its process handle, which the
// caller closes, or nullptr when it cannot be started.
HANDLE StartProgramBeside(const char* programName, const std::string& arguments);
