# The Windows test programs, which run under Wine.

# GoogleTest from Debian's source package, cross-compiled with the product's own flags.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

add_executable(clipboard_holder tests/win/clipboard_holder.cpp)
add_executable(large_box_holder tests/win/large_box_holder.cpp)
add_executable(monitor_dpi tests/win/monitor_dpi.cpp)

# Unit tests that need real Windows calls, in one program: a 32-bit start may be slow.
add_executable(wine_unit_tests
    tests/win/another_process_box_test.cpp
    tests/win/clipboard_wine_test.cpp
    tests/win/main_window_test.cpp
    tests/win/test_window.cpp
    tests/win/tray_icon_test.cpp)
# The accessibility and COM libraries ask for the slots' names as a screen reader does; the
# product never links them.
target_link_libraries(wine_unit_tests PRIVATE ui gtest_main oleacc oleaut32 ole32)
add_dependencies(wine_unit_tests clipboard_holder large_box_holder)

# End-to-end tests, grouped by what a user does; each starts its own Quavelin.exe.
add_executable(quavelin_e2e_tests
    tests/win/any_code_page_test.cpp
    tests/win/copy_and_recall_test.cpp
    tests/win/keys_in_the_window_test.cpp
    tests/win/large_text_test.cpp
    tests/win/quavelin_executable_test.cpp
    tests/win/quavelin_lifecycle_test.cpp
    tests/win/quavelin_process.cpp
    tests/win/running_quavelin.cpp
    tests/win/test_window.cpp
    tests/win/tray.cpp
    tests/win/tray_and_window_test.cpp)
target_link_libraries(quavelin_e2e_tests PRIVATE slots base gtest_main shell32 version psapi)
add_dependencies(quavelin_e2e_tests Quavelin QuavelinWithFaults monitor_dpi)

# Not a test: scripts/bench runs it.
add_executable(quavelin_wine_bench tests/bench/quavelin_wine_bench.cpp tests/win/quavelin_process.cpp
    tests/win/test_window.cpp)
target_link_libraries(quavelin_wine_bench PRIVATE slots psapi)
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
# The end-to-end tests run shuffled: each starts its own program and passes in any order. A
# 32-bit start takes about a minute where 32-bit code is emulated, so the 32-bit build runs a
# smoke subset: hidden at start with a capture; copies, a recall, the icon's presses and a
# close with code 0; the 217 box; a second start, from the 64-bit build, that shows the running
# 32-bit copy; the window scaled on a screen at 150 %; and 32-bit starts beside a copy whose lock
# they cannot open, which answers, refuses or is missing. The 64-bit build runs them all.
set(e2e_arguments --gtest_shuffle)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    list(APPEND e2e_arguments "--gtest_filter=QuavelinExecutable.*\
:StartingUp.StartsHiddenBehindItsIconEvenWhenTheStartUpCaptureFails\
:TrayIconAndWindow.ALeftPressOnTheIconShowsTheSlotsAndARightPressEndsTheProgram\
:StartUpFailures.AWindowClassThatCannotBeRegisteredEndsWithRuntimeError217\
:StartingAgain.ASecondStartShowsTheRunningCopyAndEndsWithCodeZero\
:AScreenAt150Percent.ScalesTheWindowAndEverythingInIt\
:StartingBesideACopyAsAdministrator.*")
endif()
add_test(NAME quavelin_e2e_tests
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/lib/wine-exec ${helpers_dir}/quavelin_e2e_tests.exe ${e2e_arguments})
set_tests_properties(quavelin_e2e_tests PROPERTIES
    ENVIRONMENT "QUAVELIN_TEST_PROGRAMS=${programs_windows}")
# Again in code page 1252 (English), in a Wine session of its own: the main window's names and
# font, an error box, and the slots with the texts of that code page.
add_test(NAME windows_tests_in_english
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win/in-english
            $<TARGET_FILE:wine_unit_tests> --gtest_filter=TheMainWindow.*
            ${helpers_dir}/quavelin_e2e_tests.exe --gtest_filter=OnAnyCodePage.*)
set_tests_properties(windows_tests_in_english PROPERTIES
    ENVIRONMENT "QUAVELIN_TEST_PROGRAMS=${programs_windows}")
set_tests_properties(wine_unit_tests quavelin_e2e_tests windows_tests_in_english
    PROPERTIES TIMEOUT 600 RUN_SERIAL ON)

add_test(NAME quavelin_screenshot_layout
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win/screenshot-layout ${quavelin_exe})
set_tests_properties(quavelin_screenshot_layout PROPERTIES TIMEOUT 600 RUN_SERIAL ON)
# What runs under Wine, and so under each Wine that scripts/test brings.
set_tests_properties(wine_unit_tests quavelin_e2e_tests quavelin_screenshot_layout PROPERTIES LABELS wine)
add_test(NAME quavelin_imports_only_system_dlls
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win/imports-only-system-dlls ${CMAKE_OBJDUMP} ${quavelin_exe})
add_test(NAME quavelin_carries_its_manifest
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win/carries-manifest ${CMAKE_RC_COMPILER}
            ${CMAKE_SOURCE_DIR}/resources/quavelin.manifest ${quavelin_exe} $<TARGET_FILE:QuavelinWithFaults>)
add_test(NAME quavelin_release_zip_is_reproducible
    COMMAND ${CMAKE_SOURCE_DIR}/tests/release/reproducible-zip ${quavelin_exe} ${PROJECT_VERSION})
add_test(NAME quavelin_holds_no_fault_switch
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win/holds-no-fault-switch ${quavelin_exe}
            $<TARGET_FILE:QuavelinWithFaults>)
