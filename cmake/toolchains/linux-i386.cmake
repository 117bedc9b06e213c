# Linux on 32-bit x86, the Windows program's processor, linked statically so
# that qemu-i386 runs the tests even where the kernel runs no 32-bit
# programs. Debian's i686 cross compiler, not gcc -m32: g++-multilib cannot
# be installed beside the other cross compilers.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(cross_triple i686-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/cross.cmake)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
