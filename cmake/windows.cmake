# The Windows builds: the product and the test programs that run under Wine.
if(MINGW)
    add_link_options(-static)  # the programs run alone, with no compiler DLLs beside them
endif()

add_library(win32_seam STATIC slots/win32_seam_win.cpp)
target_link_libraries(slot_core PUBLIC win32_seam)

# The shell and the main window, built twice: for the product, and for the tests with
# start-up failures that can be switched on (the product holds none of that).
set(SHELL_SOURCES
    app/application_win.cpp
    app/button_win.cpp
    app/error_display_win.cpp
    app/form_win.cpp
    app/mbcs_win.cpp
    app/timer_win.cpp
    app/window_class_win.cpp
    ui/tray_icon_win.cpp
    ui/Unit1_win.cpp)
add_library(shell STATIC ${SHELL_SOURCES})
target_link_libraries(shell PUBLIC slot_core app_rules shell32)
add_library(shell_with_faults STATIC ${SHELL_SOURCES} app/fault_injection_win.cpp)
target_link_libraries(shell_with_faults PUBLIC slot_core app_rules shell32)
target_compile_definitions(shell_with_faults PUBLIC QUAVELIN_FAULT_INJECTION)

enable_language(RC)
add_executable(Quavelin WIN32 app/main_win.cpp resources/quavelin.rc)
target_link_libraries(Quavelin PRIVATE shell)
# Named like the product, so that its boxes read as the product's do.
add_executable(QuavelinWithFaults WIN32 app/main_win.cpp resources/quavelin.rc)
target_link_libraries(QuavelinWithFaults PRIVATE shell_with_faults)
set_target_properties(QuavelinWithFaults PROPERTIES
    OUTPUT_NAME Quavelin RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/faults)

# GoogleTest from Debian's source package, cross-compiled with the product's own flags.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

add_executable(clipboard_holder tests/win/clipboard_holder.cpp)

# Unit tests that need real Windows calls, in one program: a 32-bit start may be slow.
add_executable(wine_unit_tests
    tests/win/clipboard_wine_test.cpp
    tests/win/test_window.cpp
    tests/win/tray_icon_test.cpp
    ui/tray_icon_win.cpp)
target_link_libraries(wine_unit_tests PRIVATE slot_core gtest_main shell32)
add_dependencies(wine_unit_tests clipboard_holder)

add_executable(quavelin_e2e_tests
    tests/win/quavelin_e2e_test.cpp
    tests/win/quavelin_executable_test.cpp
    tests/win/quavelin_lifecycle_test.cpp
    tests/win/quavelin_process.cpp
    tests/win/test_window.cpp
    tests/win/tray.cpp)
target_link_libraries(quavelin_e2e_tests PRIVATE slot_core app_rules gtest_main shell32 version psapi)
add_dependencies(quavelin_e2e_tests Quavelin QuavelinWithFaults)

# Not a test: scripts/bench runs it.
add_executable(quavelin_wine_bench tests/bench/quavelin_wine_bench.cpp tests/win/quavelin_process.cpp
    tests/win/test_window.cpp)
target_link_libraries(quavelin_wine_bench PRIVATE slot_core psapi)
add_dependencies(quavelin_wine_bench Quavelin)

# Where a 32-bit program takes a minute to start (32-bit code emulated), the 32-bit build's
# tests borrow the 64-bit build's helper programs: its end-to-end driver and clipboard holder.
# Only the programs under test are then 32-bit.
set(QUAVELIN_HELPERS_DIR "" CACHE PATH "Build folder whose test helper programs to use")
set(helpers_dir ${CMAKE_BINARY_DIR})
if(QUAVELIN_HELPERS_DIR)
    set(helpers_dir ${QUAVELIN_HELPERS_DIR})
endif()
# Windows paths under Wine: drive Z: is the Linux root.
string(REPLACE "/" "\\" helpers_windows "Z:${helpers_dir}")
string(REPLACE "/" "\\" programs_windows "Z:${CMAKE_BINARY_DIR}")

# Wine tests run one at a time: they share the clipboard and the display.
add_test(NAME wine_unit_tests
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win/x11-copy-then $<TARGET_FILE:wine_unit_tests>)
set_tests_properties(wine_unit_tests PROPERTIES
    ENVIRONMENT "QUAVELIN_TEST_PROGRAMS=${helpers_windows}")
add_test(NAME quavelin_e2e_tests
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/lib/wine-exec ${helpers_dir}/quavelin_e2e_tests.exe)
set_tests_properties(quavelin_e2e_tests PROPERTIES
    ENVIRONMENT "QUAVELIN_TEST_PROGRAMS=${programs_windows}")
set_tests_properties(wine_unit_tests quavelin_e2e_tests
    PROPERTIES TIMEOUT 600 RUN_SERIAL ON)

add_test(NAME quavelin_screenshot_layout
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win/screenshot-layout $<TARGET_FILE:Quavelin>)
set_tests_properties(quavelin_screenshot_layout PROPERTIES TIMEOUT 600 RUN_SERIAL ON)
add_test(NAME quavelin_imports_only_system_dlls
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win/imports-only-system-dlls ${CMAKE_OBJDUMP} $<TARGET_FILE:Quavelin>)
add_test(NAME quavelin_holds_no_fault_switch
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win/holds-no-fault-switch $<TARGET_FILE:Quavelin>
            $<TARGET_FILE:QuavelinWithFaults>)
