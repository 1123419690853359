# Host benchmarks (Google Benchmark), optimised and without sanitizers, through a lean
# in-memory binding of the seam. scripts/bench runs them; they never fail a build.
find_package(benchmark REQUIRED)
add_executable(slot_tick_bench tests/bench/slot_tick_bench.cpp tests/bench/in_memory_win32.cpp)
target_link_libraries(slot_tick_bench PRIVATE slots benchmark::benchmark)
# The benchmark replaces operator new and delete to count allocations; GCC takes the free()
# inside the replaced delete for a mismatch.
target_compile_options(slot_tick_bench PRIVATE -Wno-mismatched-new-delete)
