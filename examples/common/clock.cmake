# Shared by the clock examples: the CLOCK_* settings and clock_program(),
# which builds one clock from this folder and the board's files and gives it
# hndpos's tables. The example sets CLOCK_STORAGE's default before this.
set(CLOCK_STORAGE CONST CACHE STRING "Where the tables live: DATA, CONST or PROGMEM")
option(CLOCK_SELF_TEST "Print every entry and each hand's index after the frames" OFF)
set(clock_common ${CMAKE_CURRENT_LIST_DIR})
add_compile_options(-std=c99 -Wall -Wextra -pedantic)

# clock_program(<name> BOARD <sources>... [DEFINES <definitions>...]
#               TABLES <hndpos_add_tables arguments>...)
function(clock_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "BOARD;DEFINES;TABLES")
  add_executable(${name} ${arg_BOARD} ${clock_common}/clock.c ${clock_common}/dial.c)
  target_include_directories(${name} PRIVATE ${clock_common})
  target_compile_definitions(${name} PRIVATE ${arg_DEFINES} $<$<BOOL:${CLOCK_SELF_TEST}>:CLOCK_SELF_TEST>)
  hndpos_add_tables(${name} ${arg_TABLES} STORAGE ${CLOCK_STORAGE})
endfunction()
