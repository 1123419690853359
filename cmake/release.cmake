# The release exe: its version resource from the project version, and, built with MinGW-w64,
# stripped and without the code that nothing calls.

set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/quavelin.rc DIRECTORY app PROPERTIES
    COMPILE_DEFINITIONS "QUAVELIN_VERSION=${PROJECT_VERSION};QUAVELIN_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};QUAVELIN_VERSION_MINOR=${PROJECT_VERSION_MINOR};QUAVELIN_VERSION_PATCH=${PROJECT_VERSION_PATCH}")

if(MINGW)
    target_link_options(Quavelin PRIVATE $<$<CONFIG:Release>:-s -Wl,--gc-sections>)
endif()
if(MINGW AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # i686 symbols carry a leading underscore.
    set(symbol_prefix "")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(symbol_prefix "_")
    endif()
    # std::terminate ends the program with abort(), as the C++ default handler does, without
    # libstdc++'s verbose handler: it prints the exception's demangled type to a console this
    # program does not have, and the demangler weighs about 50 KB. (GNU ld; clang's lld has no
    # --defsym for Windows.)
    set(terminate_handler ${symbol_prefix}_ZN9__gnu_cxx27__verbose_terminate_handlerEv)
    set(abort ${symbol_prefix}abort)
    target_link_options(Quavelin PRIVATE
        $<$<CONFIG:Release>:-Wl,--defsym,${terminate_handler}=${abort}>)
endif()

add_test(NAME quavelin_release_zip_is_reproducible
    COMMAND ${CMAKE_SOURCE_DIR}/tests/release/reproducible-zip $<TARGET_FILE:Quavelin>
            ${PROJECT_VERSION})
