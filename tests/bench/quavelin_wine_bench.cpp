// Measures the real Quavelin.exe under Wine from another Win32 process: how long a copy takes
// to reach the current slot, the processor time it uses while idle with a short text (plain and
// marked secret), a 1 MiB and a 16 MiB text resting on the clipboard, and its private memory
// before and after many captures.
// Then, once it has ended, it times in its own process the Wine calls that a capture of 1 MiB
// is made of. Prints one line per figure: name, value, target.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "slots/clipboard.h"
#include "slots/text_box.h"
#include "tests/win/quavelin_process.h"
#include "tests/win/test_window.h"

namespace {

constexpr std::size_t Mebibyte = 1024 * 1024;

double NowMs() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Kernel and user time of all the process's threads, in ms: Wine does not advance the
// process's own times for another process.
double ProcessorMs(DWORD processId) {
    double total = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        FILETIME created, exited, kernel, user;
        if (thread && GetThreadTimes(thread, &created, &exited, &kernel, &user)) {
            for (const FILETIME& time : {kernel, user}) {
                total += static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e4;
            }
        }
        if (thread) CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return total;
}

// A text of size bytes that starts with its own number, in lines of at most 1 KB: one long line
// makes Wine's edit control very slow.
std::string NumberedText(int number, std::size_t size) {
    std::string text = std::to_string(number) + ' ';
    text.resize(size, static_cast<char>('a' + number % 26));
    for (std::size_t end = 1022; end + 1 < text.size(); end += 1024) text.replace(end, 2, "\r\n");
    return text;
}

// Whether the box holds text, judged by its length and its first bytes: every text measured
// starts with its own number, and reading a large box back whole would slow the program.
bool BoxHolds(HWND box, const std::string& text) {
    if (SendMessageA(box, WM_GETTEXTLENGTH, 0, 0) != static_cast<LRESULT>(text.size())) return false;
    char start[16] = {};
    const LRESULT copied = SendMessageA(box, WM_GETTEXT, sizeof start, reinterpret_cast<LPARAM>(start));
    return copied > 0 && text.compare(0, static_cast<std::size_t>(copied), start) == 0;
}

// Milliseconds from putting each text on the clipboard until the slot box holds it. The next
// copy waits until NowClip holds the text too, so that each capture is timed alone.
std::vector<double> CaptureLatencies(HWND owner, HWND slot, HWND nowClip, std::size_t size, int copies) {
    std::vector<double> latencies;
    for (int copy = 0; copy < copies; ++copy) {
        const std::string text = NumberedText(copy, size);
        const double start = NowMs();
        PutRawClipboard(CF_TEXT, text + '\0', owner);
        WaitUntil([&] { return BoxHolds(slot, text); }, 60000);
        latencies.push_back(NowMs() - start);
        WaitUntil([&] { return BoxHolds(nowClip, text); }, 60000);
    }
    std::sort(latencies.begin(), latencies.end());
    return latencies;
}

void Report(const std::string& name, double value, const char* unit, const char* target) {
    std::printf("%s\t%.2f %s\t%s\n", name.c_str(), value, unit, target);
    std::fflush(stdout);
}

void ReportLatencies(const std::string& name, const std::vector<double>& sorted) {
    Report(name + " median", sorted[sorted.size() / 2], "ms", "<= 60 ms");
    Report(name + " 99th percentile", sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)], "ms",
           "<= 60 ms");
}

// The share of a core the process uses over 10 s while nothing happens.
void ReportIdle(const std::string& resting, DWORD processId) {
    PumpMessagesFor(2000);
    const double start = ProcessorMs(processId);
    PumpMessagesFor(10000);
    Report("processor time while idle, " + resting + " resting", (ProcessorMs(processId) - start) / 10000.0 * 100.0,
           "% of a core", "<= 1 %");
}

// A password manager's copy: a text with the marker that keeps clipboard tools away from it.
void PutSecret(HWND owner, const std::string& text) {
    PutRawClipboard(CF_TEXT, text + '\0', owner);
    if (!OpenClipboard(owner)) return;
    HGLOBAL marker = BlockOf(std::string(4, '\0'));
    if (!SetClipboardData(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing"), marker)) {
        GlobalFree(marker);
    }
    CloseClipboard();
}

// The median of runs measurements, each in ms.
double MedianMs(int runs, const std::function<double()>& measure) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) times.push_back(measure());
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double TimeMs(const std::function<void()>& operation) {
    const double start = NowMs();
    operation();
    return NowMs() - start;
}

// The Wine calls that a capture of 1 MiB is made of, timed in this process through the program's
// own clipboard and text box code, with a box made as the program makes it on a hidden window,
// in the program's font: 12 pixels of "ＭＳ Ｐゴシック" (Shift-JIS bytes below).
void ReportCaptureParts(HWND owner) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    const TMemo box = TMemo::Create(parent, 0, 0, 80, 30);
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             "\x82l\x82r \x82o\x83S\x83V\x83" "b\x83N");
    SendMessageA(box.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const std::string texts[] = {NumberedText(1, Mebibyte), NumberedText(2, Mebibyte)};
    PutRawClipboard(CF_TEXT, texts[0] + '\0', owner);
    int next = 0;
    const SecretMarkers markers = RegisterSecretMarkers();
    Report("  part: clipboard read of 1 MiB",
           MedianMs(20, [&] { return TimeMs([&] { ReadUnmarkedClipboardText(owner, markers); }); }),
           "ms", "(Wine's)");
    Report("  part: set 1 MiB into a box",
           MedianMs(10, [&] { return TimeMs([&] { box.OverwriteText(texts[next++ % 2]); }); }), "ms", "(Wine's)");
    Report("  part: read 1 MiB back from a box", MedianMs(20, [&] { return TimeMs([&] { (void)box.Text(); }); }),
           "ms", "(Wine's)");
    const TMemo nowClip = TMemo::Create(parent, 0, 0, 80, 30);
    SendMessageA(nowClip.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Report("  all of a capture's calls, in one process", MedianMs(10, [&] {
        const std::string& text = texts[next++ % 2];
        PutRawClipboard(CF_TEXT, text + '\0', owner);
        return TimeMs([&] {
            CompareClipboardText(owner, markers, text + "!");
            box.SetText(ReadUnmarkedClipboardText(owner, markers).value_or(""));
            nowClip.OverwriteText(text);
        });
    }), "ms", "(Wine's)");
    DestroyWindow(parent);
    DeleteObject(font);
}

}  // namespace

int main() {
    TestApplication owner;
    PutRawClipboard(CF_TEXT, std::string("before the start") + '\0', owner.Window());  // a large one slows the start
    QuavelinProcess quavelin;
    HWND mainWindow = quavelin.WaitForWindow("TForm1", StartTimeoutMs);
    if (!mainWindow || !quavelin.WaitUntilIdle(TickTimeoutMs)) {
        std::fprintf(stderr, "Quavelin.exe did not start\n");
        return 1;
    }
    std::vector<HWND> boxes;
    WaitUntil([&] { return (boxes = quavelin.EditBoxes(mainWindow)).size() == 11; }, TickTimeoutMs);
    const HWND nowClip = boxes.front();
    const HWND slotZero = boxes.back();
    PumpMessagesFor(2000);
    const SIZE_T memoryAtStart = quavelin.PrivateBytes();
    const DWORD processId = GetProcessId(quavelin.Handle());
    ReportIdle("a short text", processId);
    PutSecret(owner.Window(), "a password");
    ReportIdle("a short text marked secret", processId);

    ReportLatencies("capture of 100 B", CaptureLatencies(owner.Window(), slotZero, nowClip, 100, 200));
    CaptureLatencies(owner.Window(), slotZero, nowClip, 100, 800);
    Report("private memory after start", static_cast<double>(memoryAtStart) / Mebibyte, "MB", "(reference)");
    Report("private memory after 1000 captures of 100 B", static_cast<double>(quavelin.PrivateBytes()) / Mebibyte,
           "MB", "start + slot texts");
    ReportLatencies("capture of 1 MiB", CaptureLatencies(owner.Window(), slotZero, nowClip, Mebibyte, 20));
    Report("private memory after 20 captures of 1 MiB", static_cast<double>(quavelin.PrivateBytes()) / Mebibyte,
           "MB", "(reference)");
    ReportIdle("1 MiB", processId);
    CaptureLatencies(owner.Window(), slotZero, nowClip, 16 * Mebibyte, 1);
    ReportIdle("16 MiB", processId);

    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    const bool ended = quavelin.WaitForExit(TickTimeoutMs) == 0;
    // Once the program has ended, as its ticks would take the clipboard from under the reads.
    ReportCaptureParts(owner.Window());
    return ended ? 0 : 1;
}
