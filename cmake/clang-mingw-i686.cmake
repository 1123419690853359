# Debian's clang and lld for 32-bit Windows, over the MinGW-w64 headers and libraries that the
# GCC cross compiler brings: clang finds the MinGW-w64 C headers itself but neither GCC's C++
# library nor its runtime. (GNU ld would warn that clang's copy of std::exception's type name
# differs in size from libstdc++'s, which pads it.)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(triple i686-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${triple})
set(CMAKE_CXX_COMPILER_TARGET ${triple})
set(CMAKE_RC_COMPILER ${triple}-windres)

# GCC's folder for this target (the posix thread model, as in mingw-i686.cmake).
execute_process(COMMAND ${triple}-g++-posix -print-libgcc-file-name
    OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
cmake_path(GET libgcc PARENT_PATH gcc_dir)
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${gcc_dir}/include/c++ -isystem ${gcc_dir}/include/c++/${triple}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${gcc_dir}")
# With a static link, the posix thread model's runtime needs the pthread functions that
# libstdc++ and libgcc_eh call: all four in one group.
set(CMAKE_CXX_STANDARD_LIBRARIES
    "-Wl,--start-group -lstdc++ -lgcc -lgcc_eh -lwinpthread -Wl,--end-group")

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/lib/wine-exec)
