# hndpos_add_tables(<target> CENTER <x> <y> RADII <hour> <minute> <second>
#                   [POSITIONS <hour> <minute> <second>] [TYPE u8|u16|i16|i32]
#                   [PREFIX <name>] [DISPLAY <width> <height>]
#                   [STORAGE DATA|CONST|PROGMEM]
#                   [FIGURE <name> <positions> "<A,B A,B ...>"]...
#                   [ROUNDING EXTENDED|NEAREST] [SUBPIXEL <bits>]
#                   [LAYOUT SPLIT|XY] [BOUNDS])
#
# Generates the clock-hand tables at build time and adds them to <target>,
# with a header, <prefix>hpostbl.h, on its include path: the tables' extern
# declarations (C linkage under C++ too), the parameters, the positions per
# hand and each hand's index at a time of day as macros, and
# <P>HNDPOS_TIP_X(hand, index) and <P>HNDPOS_TIP_Y(hand, index), which read
# through the storage.
#
# Without POSITIONS and TYPE the tables are hndpos's: hpostbl.c, xtbl and
# ytbl of [3][60] bytes' worth of entries, for a centre inside 0..255.
# With either, hndpos::tables writes one x and one y array per hand
# (<prefix>hour_x, <prefix>hour_y, ...), POSITIONS per hand (default 60,
# within the limits hndpos-tables takes) and entries of TYPE (default: the
# narrowest that holds them), each the tip's true coordinate, for panels of
# any size.
#
#   PREFIX   names the arrays <prefix>xtbl and <prefix>ytbl (or
#            <prefix>hour_x ...) and the macros <PREFIX>HNDPOS_..., so that
#            one target can hold several dials; hndpos's file is not
#            changed, its arrays are renamed while it compiles.
#   DISPLAY  fails the build when a tip lies outside a display of that
#            size (as large as hndpos-view --display takes for hndpos's
#            tables, where a wrap modulo 256 fails too; as hndpos-tables
#            takes with POSITIONS or TYPE), naming the hand and the position.
#   FIGURE   (repeatable) adds a figure: points A,B in the hand's frame (A
#            along the hand, negative for a tail; B across it), one argument,
#            turned to each of <positions> positions; <prefix><name>_x and
#            _y (or _xy with LAYOUT XY, and _bounds with BOUNDS) of
#            [positions][points], read with <P>HNDPOS_<NAME>_X(k, p). RADII
#            may then be left out: the tables hold the figures alone.
#   ROUNDING EXTENDED (hndpos's arithmetic, the default) or NEAREST (the
#            integer nearest to the exact value: mirror-symmetric dials).
#   SUBPIXEL entries in units of 1/2^bits pixel.
#            Each of these four makes tables of true coordinates, as
#            POSITIONS does.
#   STORAGE  DATA (the default) compiles hpostbl.c as hndpos writes it, int
#            arrays in RAM; CONST compiles the same entries as const
#            unsigned char (360 bytes of read-only data, no RAM); PROGMEM
#            puts those in AVR program memory, read with <P>HNDPOS_TIP_X().
#            With POSITIONS or TYPE: the arrays of TYPE in RAM, const, or
#            in program memory.
#
# Parameters are checked at configure time, each value as it was given,
# with the program's own rules (leading spaces, decimal with an optional
# sign or hexadecimal after $, the same ranges). The program's console
# output goes to hndpos.log beside the generated file; a build prints one
# line per table, and a failure stops it with the program's report in
# UTF-8. Each table gets a directory of its own; a failed run's output is
# never compiled.

# The core's limits: in hndpos's own build its CMakeLists read them first;
# the installed package keeps them beside this file.
include("${CMAKE_CURRENT_LIST_DIR}/hndpos-limits.cmake" OPTIONAL)

# `text` read as hndpos reads an argument: the value in `value_var`, or the
# reason it is refused in `error_var` (empty when accepted).
function(_hndpos_scan_integer text value_var error_var)
  set(error "")
  set(value "")
  if(text MATCHES "^ *([-+]?)([0-9]+)$")
    set(sign "${CMAKE_MATCH_1}")
    string(REGEX REPLACE "^0+" "" magnitude "${CMAKE_MATCH_2}")
    string(LENGTH "${magnitude}" digits)
    if(digits GREATER 10 OR (digits EQUAL 10 AND magnitude STRGREATER "2147483647"))
      set(error "a decimal number must lie from -2147483647 to 2147483647")
    elseif(digits EQUAL 0)
      set(value 0)
    elseif(sign STREQUAL "-")
      math(EXPR value "0 - ${magnitude}")
    else()
      set(value "${magnitude}")
    endif()
  elseif(text MATCHES "^ *\\$([0-9A-Fa-f]+)$")
    string(REGEX REPLACE "^0+" "" hex "${CMAKE_MATCH_1}")
    string(LENGTH "${hex}" digits)
    if(digits GREATER 8)
      set(error "a hexadecimal number has at most eight significant digits")
    elseif(digits EQUAL 0)
      set(value 0)
    else()
      math(EXPR value "0x${hex}")
      if(value GREATER 2147483647)  # 32 bits taken as two's complement
        math(EXPR value "${value} - 4294967296")
      endif()
    endif()
  else()
    set(error "expected leading spaces, then a decimal number with an optional sign or a hexadecimal number after $, and nothing after it")
  endif()
  set(${value_var} "${value}" PARENT_SCOPE)
  set(${error_var} "${error}" PARENT_SCOPE)
endfunction()

# The words of the calling function's call from ARGV1 on, each as it was
# given (a value may hold ";" or be empty; ARGN would split or drop it):
# sets arg_<KEYWORD> to its values, joined by ";" once checked, and
# arg_<KEYWORD>_GIVEN. Refuses anything but the keywords with their numbers
# of values. A macro, so that ARGV<n> are the caller's; the caller sets
# _hndpos_argc to its ARGC.
macro(_hndpos_parse_call)
  set(_hndpos_counts CENTER 2 RADII 3 POSITIONS 3 TYPE 1 PREFIX 1 DISPLAY 2 STORAGE 1
    FIGURE 3 ROUNDING 1 SUBPIXEL 1 LAYOUT 1 BOUNDS 0)
  set(_hndpos_keywords CENTER RADII POSITIONS TYPE PREFIX DISPLAY STORAGE FIGURE ROUNDING SUBPIXEL LAYOUT BOUNDS)
  set(_hndpos_repeatable FIGURE)
  foreach(keyword IN LISTS _hndpos_keywords)
    set(arg_${keyword} "")
    set(arg_${keyword}_GIVEN FALSE)
  endforeach()
  unset(_hndpos_previous)
  math(EXPR _hndpos_last "${_hndpos_argc} - 1")
  set(_hndpos_index 1)
  while(_hndpos_index LESS_EQUAL _hndpos_last)
    set(keyword "${ARGV${_hndpos_index}}")
    list(FIND _hndpos_keywords "${keyword}" _hndpos_found)
    if(_hndpos_found LESS 0)
      set(_hndpos_after "")
      if(DEFINED _hndpos_previous)
        set(_hndpos_after "follows the values of ${_hndpos_previous} and ")
      endif()
      list(JOIN _hndpos_keywords ", " _hndpos_all)
      message(FATAL_ERROR "${context}: '${keyword}' ${_hndpos_after}is not a keyword: ${_hndpos_all}")
    endif()
    set(_hndpos_previous "${keyword}")
    if(arg_${keyword}_GIVEN AND NOT keyword IN_LIST _hndpos_repeatable)
      message(FATAL_ERROR "${context}: ${keyword} is given more than once")
    endif()
    list(FIND _hndpos_counts "${keyword}" _hndpos_at)
    math(EXPR _hndpos_at "${_hndpos_at} + 1")
    list(GET _hndpos_counts ${_hndpos_at} _hndpos_count)
    set(arg_${keyword}_GIVEN TRUE)
    set(_hndpos_values "")
    # A flag (BOUNDS) reads no values: the range is empty.
    set(_hndpos_range "")
    if(_hndpos_count GREATER 0)
      set(_hndpos_range RANGE 1 ${_hndpos_count})
    endif()
    foreach(_hndpos_n ${_hndpos_range})
      math(EXPR _hndpos_index "${_hndpos_index} + 1")
      set(_hndpos_value "${ARGV${_hndpos_index}}")
      list(FIND _hndpos_keywords "${_hndpos_value}" _hndpos_is_keyword)
      if(_hndpos_index GREATER _hndpos_last OR _hndpos_is_keyword GREATER_EQUAL 0)
        if(keyword STREQUAL "DISPLAY" AND _hndpos_values MATCHES "^[0-9]+x[0-9]+$")
          message(FATAL_ERROR "${context}: DISPLAY takes two values, WIDTH HEIGHT, not '${_hndpos_values}'")
        endif()
        math(EXPR _hndpos_given "${_hndpos_n} - 1")
        message(FATAL_ERROR "${context}: ${keyword} takes ${_hndpos_count} value(s), given ${_hndpos_given}: '${_hndpos_values}'")
      endif()
      if(_hndpos_value MATCHES ";")
        message(FATAL_ERROR "${context}: ${keyword} value '${_hndpos_value}' holds a ';'; give each value as an argument of its own")
      endif()
      if(_hndpos_value STREQUAL "" AND NOT keyword STREQUAL "PREFIX")
        message(FATAL_ERROR "${context}: ${keyword} has an empty value")
      endif()
      list(APPEND _hndpos_values "${_hndpos_value}")
      if(_hndpos_value STREQUAL "")
        set(_hndpos_values "")  # an empty PREFIX is no prefix
      endif()
    endforeach()
    if(keyword IN_LIST _hndpos_repeatable)
      list(APPEND arg_${keyword} "${_hndpos_values}")
    else()
      set(arg_${keyword} "${_hndpos_values}")
    endif()
    math(EXPR _hndpos_index "${_hndpos_index} + 1")
  endwhile()
endmacro()

# Each value of a keyword read as hndpos reads an argument, into the list
# `out_var`; names are the values' names in messages.
function(_hndpos_scan_values context keyword names out_var)
  set(values "")
  set(index 0)
  foreach(name IN LISTS names)
    list(GET arg_${keyword} ${index} text)
    _hndpos_scan_integer("${text}" value error)
    if(error)
      message(FATAL_ERROR "${context}: ${keyword} ${name} value '${text}' is not an integer as hndpos reads it: ${error}")
    endif()
    list(APPEND values "${value}")
    math(EXPR index "${index} + 1")
  endforeach()
  set(${out_var} "${values}" PARENT_SCOPE)
endfunction()

set(_hndpos_hand_names hour minute second)

# FIGURE, ROUNDING, SUBPIXEL and LAYOUT, checked as hndpos-tables reads them.
function(_hndpos_check_figures context)
  get_property(least GLOBAL PROPERTY HNDPOS_MIN_POSITIONS)
  get_property(most GLOBAL PROPERTY HNDPOS_MAX_POSITIONS)
  get_property(fewest GLOBAL PROPERTY HNDPOS_MIN_FIGURE_POINTS)
  get_property(most_points GLOBAL PROPERTY HNDPOS_MAX_FIGURE_POINTS)
  list(LENGTH arg_FIGURE words)
  set(index 0)
  while(index LESS words)
    list(SUBLIST arg_FIGURE ${index} 3 figure)
    list(GET figure 0 name)
    list(GET figure 1 positions_text)
    list(GET figure 2 points)
    if(NOT name MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
      message(FATAL_ERROR "${context}: FIGURE name '${name}' is not a C identifier")
    endif()
    _hndpos_scan_integer("${positions_text}" positions error)
    if(error OR positions LESS least OR positions GREATER most)
      message(FATAL_ERROR "${context}: FIGURE ${name} takes ${least} to ${most} positions, not '${positions_text}'")
    endif()
    string(REGEX MATCHALL "[^ ]+" pairs "${points}")
    list(LENGTH pairs count)
    if(count LESS fewest OR count GREATER most_points)
      message(FATAL_ERROR "${context}: FIGURE ${name} has ${fewest} to ${most_points} points A,B, not ${count}: '${points}'")
    endif()
    foreach(pair IN LISTS pairs)
      string(REPLACE "," ";" numbers "${pair}")
      list(LENGTH numbers two)
      if(NOT two EQUAL 2)
        message(FATAL_ERROR "${context}: FIGURE ${name} point '${pair}' is not two numbers A,B")
      endif()
      foreach(number IN LISTS numbers)
        _hndpos_scan_integer("${number}" value error)
        if(error)
          message(FATAL_ERROR "${context}: FIGURE ${name} point '${pair}': '${number}' is not an integer as hndpos reads it: ${error}")
        endif()
      endforeach()
    endforeach()
    math(EXPR index "${index} + 3")
  endwhile()
  if(arg_ROUNDING_GIVEN AND NOT arg_ROUNDING MATCHES "^(EXTENDED|NEAREST)$")
    message(FATAL_ERROR "${context}: ROUNDING is EXTENDED or NEAREST, not '${arg_ROUNDING}'")
  endif()
  if(arg_LAYOUT_GIVEN AND NOT arg_LAYOUT MATCHES "^(SPLIT|XY)$")
    message(FATAL_ERROR "${context}: LAYOUT is SPLIT or XY, not '${arg_LAYOUT}'")
  endif()
  if(arg_SUBPIXEL_GIVEN)
    get_property(bits GLOBAL PROPERTY HNDPOS_MAX_SUBPIXEL_BITS)
    _hndpos_scan_integer("${arg_SUBPIXEL}" value error)
    if(error OR value LESS 0 OR value GREATER bits)
      message(FATAL_ERROR "${context}: SUBPIXEL takes 0 to ${bits} bits, not '${arg_SUBPIXEL}'")
    endif()
  endif()
endfunction()

function(hndpos_add_tables target)
  set(usage "hndpos_add_tables(<target> CENTER <x> <y> RADII <hour> <minute> <second> [POSITIONS <hour> <minute> <second>] [TYPE u8|u16|i16|i32] [PREFIX <name>] [DISPLAY <width> <height>] [STORAGE DATA|CONST|PROGMEM] [FIGURE <name> <positions> \"<A,B ...>\"]... [ROUNDING EXTENDED|NEAREST] [SUBPIXEL <bits>] [LAYOUT SPLIT|XY] [BOUNDS])")
  set(context "hndpos_add_tables(${target})")
  if(NOT TARGET ${target})
    message(FATAL_ERROR "${context}: ${target} is not a target")
  endif()
  set(_hndpos_argc ${ARGC})
  _hndpos_parse_call()
  if(NOT arg_CENTER_GIVEN OR (NOT arg_RADII_GIVEN AND NOT arg_FIGURE_GIVEN))
    message(FATAL_ERROR "${context}: CENTER and RADII (or a FIGURE) are required: ${usage}")
  endif()
  set(wide FALSE)
  foreach(keyword POSITIONS TYPE FIGURE ROUNDING SUBPIXEL LAYOUT BOUNDS)
    if(arg_${keyword}_GIVEN)
      set(wide TRUE)
    endif()
  endforeach()
  _hndpos_check_figures("${context}")
  set(storage DATA)
  if(arg_STORAGE_GIVEN)
    set(storage "${arg_STORAGE}")
  endif()
  if(NOT storage MATCHES "^(DATA|CONST|PROGMEM)$")
    message(FATAL_ERROR "${context}: STORAGE is DATA, CONST or PROGMEM, not '${storage}'")
  endif()
  if(arg_TYPE_GIVEN AND NOT arg_TYPE MATCHES "^(u8|u16|i16|i32)$")
    message(FATAL_ERROR "${context}: TYPE is u8, u16, i16 or i32, not '${arg_TYPE}'")
  endif()
  set(prefix "${arg_PREFIX}")
  if(NOT prefix MATCHES "^([A-Za-z_][A-Za-z0-9_]*)?$")
    message(FATAL_ERROR "${context}: PREFIX '${prefix}' does not start a C identifier")
  endif()
  string(LENGTH "${prefix}" prefix_length)
  if(prefix_length GREATER 64)
    message(FATAL_ERROR "${context}: PREFIX '${prefix}' is longer than 64 characters")
  endif()

  # The parameters, checked as the programs will read them.
  _hndpos_scan_values("${context}" CENTER "x;y" center)
  set(radii "")
  if(arg_RADII_GIVEN)
    _hndpos_scan_values("${context}" RADII "hour;minute;second" radii)
  endif()
  set(index 0)
  foreach(value IN LISTS radii)
    list(GET _hndpos_hand_names ${index} name)
    list(GET arg_RADII ${index} text)
    if(value EQUAL -2147483648)
      message(FATAL_ERROR "${context}: RADII ${name} value '${text}' is -2147483648: hndpos fails, since that hand's tip leaves the 32-bit range (the product +2147483648)")
    endif()
    math(EXPR index "${index} + 1")
  endforeach()
  set(positions 60 60 60)
  if(arg_POSITIONS_GIVEN)
    _hndpos_scan_values("${context}" POSITIONS "hour;minute;second" positions)
    get_property(least GLOBAL PROPERTY HNDPOS_MIN_POSITIONS)
    get_property(most GLOBAL PROPERTY HNDPOS_MAX_POSITIONS)
    foreach(value IN LISTS positions)
      if(value LESS least OR value GREATER most)
        message(FATAL_ERROR "${context}: POSITIONS takes ${least} to ${most} positions per hand, not '${arg_POSITIONS}'")
      endif()
    endforeach()
  endif()
  if(NOT wide)
    # hndpos's tables hold bytes: a centre beyond them would be drawn from
    # its full value to tips reduced modulo 256.
    foreach(value IN LISTS center)
      if(value LESS 0 OR value GREATER 255)
        list(JOIN arg_CENTER " " shown)
        message(FATAL_ERROR "${context}: CENTER '${shown}' lies outside 0..255, and hndpos's tables hold bytes; for a wider panel give TYPE (u16, i16 or i32) or POSITIONS, which make tables of true coordinates")
      endif()
    endforeach()
  endif()
  set(display "")
  if(arg_DISPLAY_GIVEN)
    get_property(least GLOBAL PROPERTY HNDPOS_MIN_DISPLAY_SIDE)
    get_property(limit GLOBAL PROPERTY HNDPOS_MAX_BYTE_DISPLAY_SIDE)
    if(wide)
      get_property(limit GLOBAL PROPERTY HNDPOS_MAX_WIDE_DISPLAY_SIDE)
    endif()
    _hndpos_scan_values("${context}" DISPLAY "width;height" sides)
    list(GET sides 0 width)
    list(GET sides 1 height)
    if(width LESS least OR height LESS least OR width GREATER limit OR height GREATER limit)
      list(JOIN arg_DISPLAY " " shown)
      message(FATAL_ERROR "${context}: DISPLAY takes a width and a height from ${least} to ${limit} pixels, not '${shown}'")
    endif()
    set(display "${width}x${height}")
  endif()

  # One table per prefix in a target: the arrays would be defined twice, and
  # prefixes that differ in case only would share the macros.
  string(TOUPPER "${prefix}" macro_prefix)
  get_property(taken TARGET ${target} PROPERTY HNDPOS_TABLE_PREFIXES)
  if("<${macro_prefix}>" IN_LIST taken)
    if(prefix STREQUAL "")
      message(FATAL_ERROR "${context}: the target already has tables named xtbl and ytbl; give each set of tables in one target its own PREFIX, such as PREFIX face_")
    endif()
    message(FATAL_ERROR "${context}: the target already has tables whose macros are named ${macro_prefix}HNDPOS_...; give each set of tables in one target its own PREFIX, differing in more than case")
  endif()
  set_property(TARGET ${target} APPEND PROPERTY HNDPOS_TABLE_PREFIXES "<${macro_prefix}>")

  # The generated files are C; a project without C compiles them as C++,
  # and the header's extern "C" keeps the arrays' C linkage.
  get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  if("C" IN_LIST languages)
    set(language C)
  elseif("CXX" IN_LIST languages)
    set(language CXX)
  else()
    message(FATAL_ERROR "${context}: the tables are C source: enable C or CXX in project() or enable_language()")
  endif()

  # A directory per set of tables, named by everything that makes them.
  string(MD5 key "${arg_CENTER}|${arg_RADII}|${arg_POSITIONS}|${arg_TYPE}|${storage}|${prefix}|${display}|${arg_FIGURE}|${arg_ROUNDING}|${arg_SUBPIXEL}|${arg_LAYOUT}|${arg_BOUNDS_GIVEN}")
  string(SUBSTRING "${key}" 0 16 key)
  set(directory "${CMAKE_CURRENT_BINARY_DIR}/hndpos-tables/${target}/${key}")
  set(header "${directory}/include/${prefix}hpostbl.h")
  string(TOLOWER "${storage}" emit)
  set(run_script "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/HndposRun.cmake")
  set(value_definitions "")
  foreach(keyword CENTER RADII POSITIONS FIGURE)
    set(index 0)
    foreach(text IN LISTS arg_${keyword})
      list(APPEND value_definitions "-D${keyword}${index}=${text}")
      math(EXPR index "${index} + 1")
    endforeach()
  endforeach()
  set(common
    "-DCONTEXT=${context}" "-DDIRECTORY=${directory}" "-DDISPLAY=${display}" "-DEMIT=${emit}"
    "-DPREFIX=${prefix}" "-DHEADER=${header}" ${value_definitions})
  string(TOLOWER "${arg_ROUNDING}" rounding)
  string(TOLOWER "${arg_LAYOUT}" layout)
  list(APPEND common "-DROUNDING=${rounding}" "-DSUBPIXEL=${arg_SUBPIXEL}" "-DLAYOUT=${layout}"
    "-DBOUNDS=${arg_BOUNDS_GIVEN}")
  set(shown_values ${arg_CENTER} ${arg_RADII})
  list(JOIN shown_values " " shown)
  if(wide)
    set(table "${directory}/${prefix}hndpos_tables.c")
    set(compiled "${table}")
    set(outputs "${table}" "${header}")
    list(APPEND common "-DTABLES=$<TARGET_FILE:hndpos::tables>" "-DTYPE=${arg_TYPE}" "-DCOMPACT=${table}")
    set(tools hndpos::tables "$<TARGET_FILE:hndpos::tables>")
    list(JOIN positions " " shown_positions)
    string(APPEND shown ", ${shown_positions} positions")
  else()
    set(table "${directory}/hpostbl.c")
    set(compiled "${table}")
    if(NOT storage STREQUAL "DATA")
      set(compiled "${directory}/${prefix}hpostbl_${emit}.c")
    endif()
    set(outputs "${table}" "${header}")
    if(NOT compiled STREQUAL table)
      list(APPEND outputs "${compiled}")
    endif()
    list(APPEND common "-DHNDPOS=$<TARGET_FILE:hndpos::hndpos>" "-DCOMPACT=${compiled}")
    set(tools hndpos::hndpos "$<TARGET_FILE:hndpos::hndpos>")
  endif()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND "${CMAKE_COMMAND}" "-DVIEW=$<TARGET_FILE:hndpos::view>" ${common} -P "${run_script}"
    DEPENDS ${tools} hndpos::view "$<TARGET_FILE:hndpos::view>" "${run_script}"
    COMMENT "Generating clock-hand tables ${shown}"
    VERBATIM)
  file(MAKE_DIRECTORY "${directory}/include")
  target_include_directories(${target} PUBLIC "$<BUILD_INTERFACE:${directory}/include>")

  # hndpos's initialisers are flat (no inner braces), which -Wall reports as
  # -Wmissing-braces; the header comes first, so that every array the file
  # defines was declared (-Wmissing-variable-declarations) and a C++ build
  # keeps C linkage.
  set(options "")
  set(definitions "")
  if(NOT wide AND storage STREQUAL "DATA")
    set(options "$<$<${language}_COMPILER_ID:MSVC>:/FI${header}>"
      "$<$<NOT:$<${language}_COMPILER_ID:MSVC>>:-include${header}>"
      "$<$<${language}_COMPILER_ID:GNU,Clang,AppleClang>:-Wno-missing-braces>")
    if(prefix)
      set(definitions "xtbl=${prefix}xtbl" "ytbl=${prefix}ytbl")
    endif()
  endif()
  set_source_files_properties(${outputs} TARGET_DIRECTORY ${target} PROPERTIES GENERATED TRUE)
  set_source_files_properties("${compiled}" TARGET_DIRECTORY ${target} PROPERTIES
    LANGUAGE ${language}
    COMPILE_OPTIONS "${options}"
    COMPILE_DEFINITIONS "${definitions}")
  target_sources(${target} PRIVATE "${compiled}" "${header}")
  if(NOT compiled STREQUAL table)
    # Built, checked and kept beside the compiled file, but not compiled.
    target_sources(${target} PRIVATE "${table}")
    set_source_files_properties("${table}" TARGET_DIRECTORY ${target} PROPERTIES HEADER_FILE_ONLY TRUE)
  endif()
  # A target made in another directory does not see this directory's rule:
  # a target here runs it first.
  get_target_property(target_directory ${target} SOURCE_DIR)
  if(NOT target_directory STREQUAL CMAKE_CURRENT_SOURCE_DIR)
    add_custom_target(hndpos_tables_${target}_${key} DEPENDS ${outputs})
    add_dependencies(${target} hndpos_tables_${target}_${key})
  endif()
endfunction()
