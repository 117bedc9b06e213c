# The toolchain for a Cortex-M3 (QEMU's lm3s6965evb) with arm-none-eabi-gcc
# and newlib, printf through semihosting:
#   cmake -S . -B build-arm --toolchain cortex-m3.cmake -Dhndpos_DIR=<host tools>/lib/cmake/hndpos
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-none-eabi-gcc)
set(CMAKE_C_FLAGS_INIT "-mcpu=cortex-m3 -mthumb")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mcpu=cortex-m3 -mthumb -nostartfiles -T ${CMAKE_CURRENT_LIST_DIR}/lm3s6965.ld")
# newlib's system calls from librdimon, which makes them semihosting calls.
set(CMAKE_C_STANDARD_LIBRARIES_INIT "-Wl,--start-group -lgcc -lc -lrdimon -Wl,--end-group")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
