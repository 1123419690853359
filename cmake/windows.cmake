# The Windows builds: the product and the test programs that run under Wine.
if(MINGW)
    add_link_options(-static)  # the programs run alone, with no compiler DLLs beside them
endif()

add_library(win32_seam STATIC slots/win32_seam_win.cpp)
target_link_libraries(slot_core PUBLIC win32_seam)

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

# Wine tests run one at a time: they share the clipboard and the display. A 32-bit program may
# take a minute to start where the machine emulates 32-bit code.
add_test(NAME clipboard_wine_tests COMMAND clipboard_wine_tests --gtest_filter=-X11Clipboard.*)
add_test(NAME x11_clipboard_text
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win/x11-copy-then $<TARGET_FILE:clipboard_wine_tests>
            --gtest_filter=X11Clipboard.*)
set_tests_properties(clipboard_wine_tests x11_clipboard_text PROPERTIES TIMEOUT 300 RUN_SERIAL ON)
