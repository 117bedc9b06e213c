# The 32-bit Windows console program, the primary Windows build.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(cross_triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
