// Measures the real Quavelin.exe under Wine from another Win32 process: how long a copy takes
// to reach the current slot, the processor time it uses while idle, and its private memory
// before and after many captures. Prints one line per figure: name, value, target.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/win/quavelin_process.h"
#include "tests/win/test_window.h"

namespace {

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

// Milliseconds from putting each text on the clipboard until the slot box holds it.
std::vector<double> CaptureLatencies(HWND owner, HWND slot, std::size_t size, int copies) {
    std::vector<double> latencies;
    for (int copy = 0; copy < copies; ++copy) {
        // Lines of at most 1 KB: one long line makes Wine's edit control very slow.
        std::string text = std::to_string(copy) + ' ';
        text.resize(size, static_cast<char>('a' + copy % 26));
        for (std::size_t end = 1022; end + 1 < text.size(); end += 1024) text.replace(end, 2, "\r\n");
        const double start = NowMs();
        PutRawClipboard(CF_TEXT, text + '\0', owner);
        WaitUntil([&] { return WindowText(slot).size() == text.size() && WindowText(slot) == text; }, 10000);
        latencies.push_back(NowMs() - start);
    }
    std::sort(latencies.begin(), latencies.end());
    return latencies;
}

void Report(const char* name, double value, const char* unit, const char* target) {
    std::printf("%s\t%.2f %s\t%s\n", name, value, unit, target);
}

void ReportLatencies(const char* name, const std::vector<double>& sorted) {
    const std::string median = std::string(name) + " median";
    const std::string p99 = std::string(name) + " 99th percentile";
    Report(median.c_str(), sorted[sorted.size() / 2], "ms", "<= 60 ms");
    Report(p99.c_str(), sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)], "ms", "<= 60 ms");
}

}  // namespace

int main() {
    TestApplication owner;
    QuavelinProcess quavelin;
    HWND mainWindow = quavelin.WaitForWindow("TForm1", StartTimeoutMs);
    if (!mainWindow || !quavelin.WaitUntilIdle(TickTimeoutMs)) {
        std::fprintf(stderr, "Quavelin.exe did not start\n");
        return 1;
    }
    std::vector<HWND> boxes;
    WaitUntil([&] { return (boxes = quavelin.EditBoxes(mainWindow)).size() == 11; }, TickTimeoutMs);
    const HWND slotZero = boxes.back();
    PumpMessagesFor(2000);
    const SIZE_T memoryAtStart = quavelin.PrivateBytes();

    const DWORD processId = GetProcessId(quavelin.Handle());
    const double idleStart = ProcessorMs(processId);
    PumpMessagesFor(10000);
    Report("processor time while idle", (ProcessorMs(processId) - idleStart) / 10000.0 * 100.0, "% of a core",
           "< 0.5 %");

    ReportLatencies("capture of 100 B", CaptureLatencies(owner.Window(), slotZero, 100, 200));
    CaptureLatencies(owner.Window(), slotZero, 100, 800);
    Report("private memory after start", static_cast<double>(memoryAtStart) / 1024.0 / 1024.0, "MB", "(reference)");
    Report("private memory after 1000 captures of 100 B", static_cast<double>(quavelin.PrivateBytes()) / 1024.0 / 1024.0,
           "MB", "start + slot texts");
    ReportLatencies("capture of 1 MB", CaptureLatencies(owner.Window(), slotZero, 1024 * 1024, 10));
    Report("private memory after 10 captures of 1 MB", static_cast<double>(quavelin.PrivateBytes()) / 1024.0 / 1024.0,
           "MB", "(reference)");
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    return quavelin.WaitForExit(TickTimeoutMs) == 0 ? 0 : 1;
}
