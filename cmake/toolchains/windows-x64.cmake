# The 64-bit Windows console program.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(cross_triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
