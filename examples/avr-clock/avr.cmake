# The toolchain for an ATmega328P (Arduino Uno) with avr-gcc and avr-libc:
#   cmake -S . -B build-avr --toolchain avr.cmake -Dhndpos_DIR=<host tools>/lib/cmake/hndpos
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR avr)
set(CMAKE_C_COMPILER avr-gcc)
set(CMAKE_C_FLAGS_INIT "-mmcu=atmega328p -DF_CPU=16000000UL")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mmcu=atmega328p")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
