# The win32 thread model, for the release exe alone: its runtime needs no winpthread, which the
# posix model's unwinder and C++ library drag into a static link.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
