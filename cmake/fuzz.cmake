# Fuzz targets: libFuzzer with clang, under ASan and UBSan. The clipboard is the recording fake.
# ctest runs each for a few seconds; scripts/fuzz runs them longer. Inputs that once failed are
# kept among the seeds in tests/fuzz/seeds/, so every run tries them again.
set(FUZZ_SECONDS 10 CACHE STRING "How long ctest runs each fuzzer")
# A test's own TIMEOUT wins over ctest --timeout, so it follows the seconds asked for. The margin
# covers loading the corpus and the sanitizers' work at exit.
math(EXPR fuzz_timeout "${FUZZ_SECONDS} + 120")

add_executable(clipboard_read_fuzz tests/fuzz/clipboard_read_fuzz.cpp tests/host/fake_win32.cpp)
target_link_libraries(clipboard_read_fuzz PRIVATE slots)
add_executable(text_rules_fuzz tests/fuzz/text_rules_fuzz.cpp)
target_link_libraries(text_rules_fuzz PRIVATE base)

foreach(fuzzer clipboard_read text_rules)
    target_link_options(${fuzzer}_fuzz PRIVATE -fsanitize=fuzzer)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/corpus/${fuzzer})
    add_test(NAME ${fuzzer}_fuzz_smoke
        COMMAND ${fuzzer}_fuzz -max_total_time=${FUZZ_SECONDS} -rss_limit_mb=2048 -max_len=4096
                ${CMAKE_BINARY_DIR}/corpus/${fuzzer} ${CMAKE_SOURCE_DIR}/tests/fuzz/seeds/${fuzzer})
    set_tests_properties(${fuzzer}_fuzz_smoke PROPERTIES TIMEOUT ${fuzz_timeout})
endforeach()
