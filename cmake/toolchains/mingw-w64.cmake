# Shared by the Windows toolchains: MinGW-w64 for the triple in cross_triple,
# run under wine. The posix thread model gives the standard library its
# std::mutex (GoogleTest needs it).
set(CMAKE_SYSTEM_NAME Windows)
set(cross_suffix -posix)
include(${CMAKE_CURRENT_LIST_DIR}/cross.cmake)
set(CMAKE_RC_COMPILER ${cross_triple}-windres)
# wine.sh finds the loader that runs the program on this machine.
set(CMAKE_CROSSCOMPILING_EMULATOR bash ${CMAKE_CURRENT_LIST_DIR}/wine.sh)
# A program that needs no MinGW runtime DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
