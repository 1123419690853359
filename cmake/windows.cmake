# The Windows builds: the product and the test programs that run under Wine.
if(MINGW)
    add_link_options(-static)  # the programs run alone, with no compiler DLLs beside them
endif()

add_library(win32_seam STATIC slots/win32_seam_win.cpp)
target_link_libraries(slot_core PUBLIC win32_seam)

# The shell and the main window.
add_library(shell STATIC
    app/application_win.cpp
    app/error_display_win.cpp
    app/form_win.cpp
    app/mbcs_win.cpp
    app/timer_win.cpp
    ui/Unit1_win.cpp)
target_link_libraries(shell PUBLIC slot_core app_rules)

add_executable(Quavelin WIN32 app/main_win.cpp)
target_link_libraries(Quavelin PRIVATE shell)

# GoogleTest from Debian's source package, cross-compiled with the product's own flags.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

add_executable(clipboard_holder tests/win/clipboard_holder.cpp)

add_executable(clipboard_wine_tests tests/win/clipboard_wine_test.cpp tests/win/test_window.cpp)
target_link_libraries(clipboard_wine_tests PRIVATE slot_core gtest_main)
add_dependencies(clipboard_wine_tests clipboard_holder)

add_executable(quavelin_e2e_tests tests/win/quavelin_e2e_test.cpp tests/win/quavelin_process.cpp
    tests/win/test_window.cpp)
target_link_libraries(quavelin_e2e_tests PRIVATE slot_core gtest_main)
add_dependencies(quavelin_e2e_tests Quavelin)

# Wine tests run one at a time: they share the clipboard and the display. A 32-bit program may
# take a minute to start where the machine emulates 32-bit code.
add_test(NAME clipboard_wine_tests COMMAND clipboard_wine_tests --gtest_filter=-X11Clipboard.*)
add_test(NAME x11_clipboard_text
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win/x11-copy-then $<TARGET_FILE:clipboard_wine_tests>
            --gtest_filter=X11Clipboard.*)
add_test(NAME quavelin_e2e_tests COMMAND quavelin_e2e_tests)
add_test(NAME quavelin_imports_only_system_dlls
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win/imports-only-system-dlls ${CMAKE_OBJDUMP} $<TARGET_FILE:Quavelin>)
set_tests_properties(clipboard_wine_tests x11_clipboard_text quavelin_e2e_tests
    PROPERTIES TIMEOUT 300 RUN_SERIAL ON)
