# The host build: the logic that needs no window, with its unit tests, under ASan and UBSan.
find_package(GTest REQUIRED)
include(GoogleTest)

add_executable(host_tests
    tests/host/fake_win32.cpp
    tests/host/clipboard_test.cpp
    tests/host/slot_poll_test.cpp
    tests/host/text_rules_test.cpp)
target_link_libraries(host_tests PRIVATE slots base GTest::gtest_main)
gtest_discover_tests(host_tests DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT 60)

# How the scripts install packages, with apt-get stubbed: no registry is asked.
add_test(NAME apt_fallback COMMAND ${CMAKE_SOURCE_DIR}/tests/scripts/apt-fallback)
