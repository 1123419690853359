# The release exe: its version resource from the project version, and, built with MinGW-w64,
# stripped and without the code that nothing calls. quavelin_exe names it for the tests.

# Every exe carries the manifest, which the resource compiler reads but CMake does not see.
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/quavelin.rc DIRECTORY app PROPERTIES
    COMPILE_DEFINITIONS "QUAVELIN_VERSION=${PROJECT_VERSION};QUAVELIN_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};QUAVELIN_VERSION_MINOR=${PROJECT_VERSION_MINOR};QUAVELIN_VERSION_PATCH=${PROJECT_VERSION_PATCH}"
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/resources/quavelin.manifest)

if(QUAVELIN_RELEASE_TOOLCHAIN)
    # The tests need the posix thread model, whose runtime brings winpthread into a static link
    # (about 30 KB). The release exe is made instead by a configuration of these same sources
    # with the toolchain given, into this build's folder. Its libraries are built there only.
    include(ExternalProject)
    ExternalProject_Add(Quavelin
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${CMAKE_BINARY_DIR}/release
        CMAKE_ARGS
            -DCMAKE_TOOLCHAIN_FILE=${QUAVELIN_RELEASE_TOOLCHAIN}
            -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
            -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${CMAKE_BINARY_DIR}
            -DQUAVELIN_RELEASE_EXE_ONLY=ON
            # Optimised across the layers at link time: calls through the thin seam and the
            # form host are inlined, and the exe stays small as it learns more of Windows.
            -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON
        BUILD_ALWAYS ON
        BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/Quavelin.exe
        INSTALL_COMMAND "")
    set(quavelin_exe ${CMAKE_BINARY_DIR}/Quavelin.exe)
    set_target_properties(framework ui PROPERTIES EXCLUDE_FROM_ALL ON)
else()
    set(quavelin_exe $<TARGET_FILE:Quavelin>)
    if(MINGW)
        target_link_options(Quavelin PRIVATE $<$<CONFIG:Release>:-s -Wl,--gc-sections>)
    endif()
    if(MINGW AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # i686 symbols carry a leading underscore.
        set(symbol_prefix "")
        if(CMAKE_SIZEOF_VOID_P EQUAL 4)
            set(symbol_prefix "_")
        endif()
        # std::terminate ends the program with abort(), as the C++ default handler does,
        # without libstdc++'s verbose handler: it prints the exception's demangled type to a
        # console this program does not have, and the demangler weighs about 50 KB. (GNU ld;
        # clang's lld has no --defsym for Windows.)
        set(terminate_handler ${symbol_prefix}_ZN9__gnu_cxx27__verbose_terminate_handlerEv)
        set(abort ${symbol_prefix}abort)
        target_link_options(Quavelin PRIVATE
            $<$<CONFIG:Release>:-Wl,--defsym,${terminate_handler}=${abort}>)
    endif()
endif()
