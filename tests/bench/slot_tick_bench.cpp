// The cost of one poll tick through the in-memory seam, beside the cost of one memcpy of the
// same size, and the heap allocations a tick makes. An unchanged tick reads no text at all; a
// changed one reads the clipboard, compares and stores, so a copy is its floor.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "slots/slot_poll.h"
#include "tests/bench/in_memory_win32.h"

namespace {

std::atomic<long> allocations{0};

const std::vector<long> Sizes = {1, 1024, 64 * 1024, 1024 * 1024, 16 * 1024 * 1024};

// The slots with NowClip and the clipboard both holding a text of size bytes, after the tick
// that confirms it.
struct Ticking {
    explicit Ticking(std::size_t size) : text(size, 'q') {
        PutClipboardText(text);
        slots.CreateNowClip(nullptr, 0, 0, 80, 33, "NowClip\r\n");
        slots.CreateSlotMemos(nullptr, {80, 300});
        slots.Tick();
    }

    TSlotPoll slots{reinterpret_cast<win32::HWND>(0xA99)};
    std::string text;
};

void UnchangedTick(benchmark::State& state) {
    Ticking ticking(static_cast<std::size_t>(state.range(0)));
    const long before = allocations;
    for (auto _ : state) ticking.slots.Tick();
    state.counters["allocs/tick"] =
        static_cast<double>(allocations - before) / static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Each tick finds a new text, copied (outside the timing) before it. The two texts differ in
// their last byte only, so that every comparison runs to the end.
void ChangedTick(benchmark::State& state) {
    Ticking ticking(static_cast<std::size_t>(state.range(0)));
    std::string texts[] = {ticking.text, ticking.text};
    texts[1].back() = 'r';
    std::size_t next = 1;
    for (auto _ : state) {
        state.PauseTiming();
        PutClipboardText(texts[next]);
        next = 1 - next;
        state.ResumeTiming();
        ticking.slots.Tick();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void MemcpyFloor(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    std::vector<char> from(size, 'q'), to(size);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), size);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

BENCHMARK(MemcpyFloor)->ArgsProduct({Sizes});
BENCHMARK(UnchangedTick)->ArgsProduct({Sizes});
BENCHMARK(ChangedTick)->ArgsProduct({Sizes});
BENCHMARK_MAIN();
