# Shared by the clock examples: the CLOCK_* settings and clock_program(),
# which builds one clock from this folder and the board's files and gives it
# hndpos's tables. The example sets CLOCK_STORAGE's default before this.
set(CLOCK_STORAGE CONST CACHE STRING "Where the tables live: DATA, CONST or PROGMEM")
option(CLOCK_SELF_TEST "Print every entry and each hand's index after the frames" OFF)
set(clock_common ${CMAKE_CURRENT_LIST_DIR})
add_compile_options(-std=c99 -Wall -Wextra -pedantic)

# clock_program(<name> BOARD <sources>... [DEFINES <definitions>...]
#               TABLES <hndpos_add_tables arguments>...
#               [TICKS <count> <inner radius> <outer radius>]
#               [OUTLINE <positions> "<A,B A,B ...>"])
#
# TICKS and OUTLINE add figure tables of their own (prefix shape_, header
# shape_hpostbl.h) about the dial's centre: TICKS a ring of <count> ticks,
# the figure "inner,0 outer,0", each drawn from its first point to its
# second; OUTLINE the hour hand's outline (on the 12-hour turn), a closed
# polygon of the points
# at each of <positions> positions, drawn in place of the hour hand's line.
function(clock_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "BOARD;DEFINES;TABLES;TICKS;OUTLINE")
  add_executable(${name} ${arg_BOARD} ${clock_common}/clock.c ${clock_common}/dial.c)
  target_include_directories(${name} PRIVATE ${clock_common})
  target_compile_definitions(${name} PRIVATE ${arg_DEFINES} $<$<BOOL:${CLOCK_SELF_TEST}>:CLOCK_SELF_TEST>)
  hndpos_add_tables(${name} ${arg_TABLES} STORAGE ${CLOCK_STORAGE})
  set(figures "")
  if(arg_TICKS)
    list(GET arg_TICKS 0 count)
    list(GET arg_TICKS 1 inner)
    list(GET arg_TICKS 2 outer)
    list(APPEND figures FIGURE ticks ${count} "${inner},0 ${outer},0")
    target_compile_definitions(${name} PRIVATE CLOCK_TICKS)
  endif()
  if(arg_OUTLINE)
    list(GET arg_OUTLINE 0 positions)
    list(GET arg_OUTLINE 1 points)
    list(APPEND figures FIGURE outline ${positions} "${points}" TURN outline 12h)
    target_compile_definitions(${name} PRIVATE CLOCK_OUTLINE)
  endif()
  if(figures)
    list(FIND arg_TABLES CENTER at)
    math(EXPR x "${at} + 1")
    math(EXPR y "${at} + 2")
    list(GET arg_TABLES ${x} center_x)
    list(GET arg_TABLES ${y} center_y)
    set(display "")
    list(FIND arg_TABLES DISPLAY at)
    if(at GREATER_EQUAL 0)
      math(EXPR last "${at} + 2")
      foreach(i RANGE ${at} ${last})
        list(GET arg_TABLES ${i} word)
        list(APPEND display ${word})
      endforeach()
    endif()
    hndpos_add_tables(${name} CENTER ${center_x} ${center_y} ${figures} PREFIX shape_ ${display}
                      STORAGE ${CLOCK_STORAGE})
  endif()
endfunction()

# shapes_program(<name> BOARD <sources>... TABLES <hndpos_add_tables arguments>...)
#
# The clock drawn from figures alone (shapes.c): the tables must hold the
# figures hour, minute and second (polygons, filled) and ticks (lines).
function(shapes_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "BOARD;DEFINES;TABLES")
  add_executable(${name} ${arg_BOARD} ${clock_common}/shapes.c ${clock_common}/dial.c)
  target_include_directories(${name} PRIVATE ${clock_common})
  target_compile_definitions(${name} PRIVATE ${arg_DEFINES} $<$<BOOL:${CLOCK_SELF_TEST}>:CLOCK_SELF_TEST>)
  hndpos_add_tables(${name} ${arg_TABLES} STORAGE ${CLOCK_STORAGE})
endfunction()

# gauge_program(<name> BOARD <sources>... [DEFINES <definitions>...] TABLES <hndpos_add_tables arguments>...)
#
# A gauge drawn from masks (gauge.c): the tables must hold the figure
# needle on an arc, with its mask.
function(gauge_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "BOARD;DEFINES;TABLES")
  add_executable(${name} ${arg_BOARD} ${clock_common}/gauge.c ${clock_common}/dial.c)
  target_include_directories(${name} PRIVATE ${clock_common})
  target_compile_definitions(${name} PRIVATE ${arg_DEFINES} $<$<BOOL:${CLOCK_SELF_TEST}>:CLOCK_SELF_TEST>)
  hndpos_add_tables(${name} ${arg_TABLES} STORAGE ${CLOCK_STORAGE})
endfunction()
