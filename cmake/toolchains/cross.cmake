# Shared by the cross toolchains: the GNU cross compilers for the triple in
# cross_triple (cross_suffix after gcc and g++ picks a variant), with
# libraries, headers and packages found only under /usr/<triple>.
set(CMAKE_C_COMPILER ${cross_triple}-gcc${cross_suffix})
set(CMAKE_CXX_COMPILER ${cross_triple}-g++${cross_suffix})
set(CMAKE_FIND_ROOT_PATH /usr/${cross_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
