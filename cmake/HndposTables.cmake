# hndpos_add_tables(<target> CENTER <x> <y> RADII <hour> <minute> <second>
#                   [<KEYWORD> <value>...]...)
#
# Each keyword is an option of hndpos-tables (POSITIONS --positions, TYPE
# --type, FIGURE --figure, ...), with its values and their ranges and words
# as the program takes them (cmake/hndpos-options.cmake lists them; the
# manual page hndpos-tables(1) says what each does); words in any case.
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
#   ROUNDING, SUBPIXEL, LAYOUT, BOUNDS and any other keyword of
#            hndpos-tables' make tables of true coordinates, as POSITIONS
#            does.
#   FORMAT   JSON, RUST or MICROPYTHON writes <prefix>hpostbl.json, .rs or
#            .py instead of C: nothing is compiled or put on the include
#            path; the target's HNDPOS_MODULES property names the file, and
#            building the target writes it. PREFIX then names the file
#            alone (the module's names stand in a namespace of their own).
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

# What the function takes, as the programs state it: hndpos-tables' options
# with their keywords, each value's kind, range and words, and the dial's
# limits (written from the option tables by hndpos_print_cmake_facts).
include("${CMAKE_CURRENT_LIST_DIR}/hndpos-options.cmake")

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
# arg_<KEYWORD>_GIVEN, and `_hndpos_order` to the keywords in the order
# given (a repeated one each time). Refuses anything but the keywords with
# their numbers of values. A macro, so that ARGV<n> are the caller's; the
# caller sets _hndpos_argc to its ARGC.
macro(_hndpos_parse_call)
  get_property(_hndpos_keywords GLOBAL PROPERTY HNDPOS_KEYWORDS)
  foreach(keyword IN LISTS _hndpos_keywords)
    set(arg_${keyword} "")
    set(arg_${keyword}_GIVEN FALSE)
  endforeach()
  set(_hndpos_order "")
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
    get_property(_hndpos_repeatable GLOBAL PROPERTY HNDPOS_KEYWORD_${keyword}_REPEATABLE)
    if(arg_${keyword}_GIVEN AND NOT _hndpos_repeatable)
      message(FATAL_ERROR "${context}: ${keyword} is given more than once")
    endif()
    get_property(_hndpos_count GLOBAL PROPERTY HNDPOS_KEYWORD_${keyword}_COUNT)
    set(arg_${keyword}_GIVEN TRUE)
    list(APPEND _hndpos_order ${keyword})
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
    if(_hndpos_repeatable)
      list(APPEND arg_${keyword} "${_hndpos_values}")
    else()
      set(arg_${keyword} "${_hndpos_values}")
    endif()
    math(EXPR _hndpos_index "${_hndpos_index} + 1")
  endwhile()
endmacro()

# One value of a keyword checked as the program takes it, by the kind the
# option table gives it; a word in any case, the program's spelling in
# `out_var`.
function(_hndpos_check_value context keyword index text out_var)
  get_property(kind GLOBAL PROPERTY HNDPOS_KEYWORD_${keyword}_${index}_KIND)
  get_property(name GLOBAL PROPERTY HNDPOS_KEYWORD_${keyword}_${index}_NAME)
  string(TOLOWER "${name}" name)
  set(value "${text}")
  if(kind STREQUAL "integer")
    _hndpos_scan_integer("${text}" value error)
    if(error)
      message(FATAL_ERROR "${context}: ${keyword} ${name} value '${text}' is not an integer as hndpos reads it: ${error}")
    endif()
    get_property(range GLOBAL PROPERTY HNDPOS_KEYWORD_${keyword}_${index}_RANGE)
    list(GET range 0 low)
    list(GET range 1 high)
    if(value LESS low OR value GREATER high)
      message(FATAL_ERROR "${context}: ${keyword} ${name} value '${text}' is outside ${low} to ${high}")
    endif()
    set(value "${text}")
  elseif(kind STREQUAL "word")
    get_property(words GLOBAL PROPERTY HNDPOS_KEYWORD_${keyword}_${index}_WORDS)
    string(TOLOWER "${text}" value)
    if(NOT value IN_LIST words)
      list(POP_BACK words last)
      list(JOIN words ", " spoken)
      message(FATAL_ERROR "${context}: ${keyword} is ${spoken} or ${last} (in any case), not '${text}'")
    endif()
  elseif(kind STREQUAL "half")
    # An integer as hndpos reads it, or decimal digits and .5.
    if(NOT text MATCHES "^-?[0-9]+\\.5$")
      _hndpos_scan_integer("${text}" half error)
      if(error)
        message(FATAL_ERROR "${context}: ${keyword} ${name} value '${text}' is not a whole or half pixel (an integer as hndpos reads it, or digits and .5): ${error}")
      endif()
    endif()
  elseif(kind STREQUAL "decimal")
    # At most two decimal places, within the range in hundredths.
    if(NOT text MATCHES "^(-?)([0-9]+)(\\.([0-9][0-9]?))?$")
      message(FATAL_ERROR "${context}: ${keyword} ${name} value '${text}' is not a decimal number of at most two decimal places")
    endif()
    set(sign "${CMAKE_MATCH_1}")
    set(whole "${CMAKE_MATCH_2}")
    set(fraction "${CMAKE_MATCH_4}00")
    string(SUBSTRING "${fraction}" 0 2 fraction)
    string(REGEX REPLACE "^0+([0-9])" "\\1" whole "${whole}")
    string(REGEX REPLACE "^0([0-9])" "\\1" fraction "${fraction}")
    math(EXPR hundredths "${sign}(${whole} * 100 + ${fraction})")
    get_property(range GLOBAL PROPERTY HNDPOS_KEYWORD_${keyword}_${index}_RANGE)
    list(GET range 0 low)
    list(GET range 1 high)
    if(hundredths LESS low OR hundredths GREATER high)
      message(FATAL_ERROR "${context}: ${keyword} ${name} value '${text}' is outside the range (in hundredths ${low} to ${high})")
    endif()
  elseif(kind STREQUAL "name" AND NOT text MATCHES "^([A-Za-z_][A-Za-z0-9_]*)?$")
    message(FATAL_ERROR "${context}: ${keyword} ${name} '${text}' is not a C identifier")
  elseif(kind STREQUAL "points")
    get_property(fewest GLOBAL PROPERTY HNDPOS_MIN_FIGURE_POINTS)
    get_property(most GLOBAL PROPERTY HNDPOS_MAX_FIGURE_POINTS)
    string(REGEX MATCHALL "[^ ]+" pairs "${text}")
    list(LENGTH pairs count)
    if(count LESS fewest OR count GREATER most)
      message(FATAL_ERROR "${context}: ${keyword} has ${fewest} to ${most} points A,B, not ${count}: '${text}'")
    endif()
    foreach(pair IN LISTS pairs)
      string(REPLACE "," ";" numbers "${pair}")
      list(LENGTH numbers two)
      if(NOT two EQUAL 2)
        message(FATAL_ERROR "${context}: ${keyword} point '${pair}' is not two numbers A,B")
      endif()
      foreach(number IN LISTS numbers)
        _hndpos_scan_integer("${number}" ignored error)
        if(error)
          message(FATAL_ERROR "${context}: ${keyword} point '${pair}': '${number}' is not an integer as hndpos reads it: ${error}")
        endif()
      endforeach()
    endforeach()
  endif()
  set(${out_var} "${value}" PARENT_SCOPE)
endfunction()

# Every value given, checked; the program's arguments for them, in the
# order given, into `out_var` (one argument a line, for the run script).
function(_hndpos_arguments context out_var)
  set(arguments "")
  foreach(keyword IN LISTS _hndpos_order)
    set(occurrences_${keyword} 0)
  endforeach()
  foreach(keyword IN LISTS _hndpos_order)
    get_property(option GLOBAL PROPERTY HNDPOS_KEYWORD_${keyword})
    get_property(count GLOBAL PROPERTY HNDPOS_KEYWORD_${keyword}_COUNT)
    if(count GREATER 0 AND "${arg_${keyword}}" STREQUAL "")
      continue()  # an empty PREFIX, no prefix
    endif()
    math(EXPR first "${occurrences_${keyword}} * ${count}")
    math(EXPR occurrences_${keyword} "${occurrences_${keyword}} + 1")
    string(APPEND arguments "${option}\n")
    set(index 0)
    while(index LESS count)
      math(EXPR at "${first} + ${index}")
      list(GET arg_${keyword} ${at} text)
      _hndpos_check_value("${context}" ${keyword} ${index} "${text}" value)
      string(APPEND arguments "${value}\n")
      math(EXPR index "${index} + 1")
    endwhile()
  endforeach()
  set(${out_var} "${arguments}" PARENT_SCOPE)
endfunction()

set(_hndpos_hand_names hour minute second)

function(hndpos_add_tables target)
  # The call's form, from the keywords the options have.
  get_property(keywords GLOBAL PROPERTY HNDPOS_KEYWORDS)
  set(usage "hndpos_add_tables(<target>")
  foreach(keyword IN LISTS keywords)
    get_property(count GLOBAL PROPERTY HNDPOS_KEYWORD_${keyword}_COUNT)
    set(values "")
    foreach(index RANGE 1 ${count})
      if(index LESS_EQUAL count)
        math(EXPR at "${index} - 1")
        get_property(name GLOBAL PROPERTY HNDPOS_KEYWORD_${keyword}_${at}_NAME)
        string(TOLOWER " <${name}>" name)
        string(APPEND values "${name}")
      endif()
    endforeach()
    string(APPEND usage " [${keyword}${values}]")
  endforeach()
  string(APPEND usage ")")
  set(context "hndpos_add_tables(${target})")
  if(NOT TARGET ${target})
    message(FATAL_ERROR "${context}: ${target} is not a target")
  endif()
  set(_hndpos_argc ${ARGC})
  _hndpos_parse_call()
  if(NOT arg_CENTER_GIVEN OR (NOT arg_RADII_GIVEN AND NOT arg_FIGURE_GIVEN))
    message(FATAL_ERROR "${context}: CENTER and RADII (or a FIGURE) are required: ${usage}")
  endif()
  # Every value as the program takes it, and its arguments for hndpos-tables.
  _hndpos_arguments("${context}" arguments)
  # hndpos's own byte tables take the centre, the radii, a prefix, a display
  # and a storage; any other keyword asks for hndpos-tables' tables.
  set(wide FALSE)
  foreach(keyword IN LISTS _hndpos_order)
    if(NOT keyword MATCHES "^(CENTER|RADII|PREFIX|DISPLAY|STORAGE)$")
      set(wide TRUE)
    endif()
  endforeach()
  set(storage DATA)
  if(arg_STORAGE_GIVEN)
    string(TOUPPER "${arg_STORAGE}" storage)
  endif()
  set(prefix "${arg_PREFIX}")
  get_property(longest GLOBAL PROPERTY HNDPOS_MAX_PREFIX_LENGTH)
  string(LENGTH "${prefix}" prefix_length)
  if(prefix_length GREATER longest)
    message(FATAL_ERROR "${context}: PREFIX '${prefix}' is longer than ${longest} characters")
  endif()
  set(positions 60 60 60)
  if(arg_POSITIONS_GIVEN)
    set(positions ${arg_POSITIONS})
  endif()
  set(display "")
  if(arg_DISPLAY_GIVEN)
    list(GET arg_DISPLAY 0 width)
    list(GET arg_DISPLAY 1 height)
    set(display "${width}x${height}")
  endif()
  if(NOT wide)
    # hndpos's tables hold bytes: a centre beyond them would be drawn from
    # its full value to tips reduced modulo 256, a panel beyond 256 pixels
    # cannot be checked, and the radius -2147483648 fails.
    foreach(value IN LISTS arg_CENTER)
      _hndpos_scan_integer("${value}" value ignored)
      if(value LESS 0 OR value GREATER 255)
        list(JOIN arg_CENTER " " shown)
        message(FATAL_ERROR "${context}: CENTER '${shown}' lies outside 0..255, and hndpos's tables hold bytes; for a wider panel give TYPE (u16, i16 or i32) or POSITIONS, which make tables of true coordinates")
      endif()
    endforeach()
    set(index 0)
    foreach(text IN LISTS arg_RADII)
      _hndpos_scan_integer("${text}" value ignored)
      list(GET _hndpos_hand_names ${index} name)
      if(value EQUAL -2147483648)
        message(FATAL_ERROR "${context}: RADII ${name} value '${text}' is -2147483648: hndpos fails, since that hand's tip leaves the 32-bit range (the product +2147483648)")
      endif()
      math(EXPR index "${index} + 1")
    endforeach()
    get_property(limit GLOBAL PROPERTY HNDPOS_MAX_BYTE_DISPLAY_SIDE)
    foreach(side IN LISTS arg_DISPLAY)
      _hndpos_scan_integer("${side}" value ignored)
      if(value GREATER limit)
        list(JOIN arg_DISPLAY " " shown)
        message(FATAL_ERROR "${context}: DISPLAY takes a width and a height from 1 to ${limit} pixels for hndpos's tables, not '${shown}'; give TYPE or POSITIONS for tables of true coordinates")
      endif()
    endforeach()
  endif()

  # FORMAT JSON, RUST or MICROPYTHON: one file, not compiled, named in the
  # target's HNDPOS_MODULES.
  set(module "")
  if(arg_FORMAT_GIVEN)
    string(TOLOWER "${arg_FORMAT}" format)
    set(extensions json json rust rs micropython py)
    list(FIND extensions "${format}" at)
    if(at GREATER_EQUAL 0)
      math(EXPR at "${at} + 1")
      list(GET extensions ${at} extension)
      set(module "${prefix}hpostbl.${extension}")
    endif()
  endif()
  if(module)
    # The module's names stand alone: PREFIX names its file only.
    string(REGEX REPLACE "(^|\n)--prefix\n[^\n]*\n" "\\1" arguments "${arguments}")
  else()
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
  endif()

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

  # A directory per set of tables, named by everything that makes them; the
  # arguments for hndpos-tables in a file there, one a line.
  string(MD5 key "${arguments}")
  string(SUBSTRING "${key}" 0 16 key)
  set(directory "${CMAKE_CURRENT_BINARY_DIR}/hndpos-tables/${target}/${key}")
  set(header "${directory}/include/${prefix}hpostbl.h")
  string(TOLOWER "${storage}" emit)
  set(run_script "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/HndposRun.cmake")
  file(CONFIGURE OUTPUT "${directory}/arguments.txt" CONTENT "${arguments}")
  set(common
    "-DCONTEXT=${context}" "-DDIRECTORY=${directory}" "-DDISPLAY=${display}" "-DEMIT=${emit}"
    "-DPREFIX=${prefix}" "-DHEADER=${header}" "-DARGUMENTS=${directory}/arguments.txt")
  set(shown_values ${arg_CENTER} ${arg_RADII})
  list(JOIN shown_values " " shown)
  if(module)
    set(module "${directory}/${module}")
    set(outputs "${module}")
    set(table "${module}")
    list(APPEND common "-DTABLES=$<TARGET_FILE:hndpos::tables>" "-DMODULE=${module}")
    set(tools hndpos::tables "$<TARGET_FILE:hndpos::tables>")
    set(shown "${shown}, ${format}")
  elseif(wide)
    set(table "${directory}/${prefix}hndpos_tables.c")
    set(compiled "${table}")
    set(outputs "${table}" "${header}")
    list(APPEND common "-DTABLES=$<TARGET_FILE:hndpos::tables>" "-DCOMPACT=${table}")
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
    foreach(keyword CENTER RADII)
      set(index 0)
      foreach(text IN LISTS arg_${keyword})
        list(APPEND common "-D${keyword}${index}=${text}")
        math(EXPR index "${index} + 1")
      endforeach()
    endforeach()
    set(tools hndpos::hndpos "$<TARGET_FILE:hndpos::hndpos>")
  endif()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND "${CMAKE_COMMAND}" "-DVIEW=$<TARGET_FILE:hndpos::view>" ${common} -P "${run_script}"
    DEPENDS ${tools} hndpos::view "$<TARGET_FILE:hndpos::view>" "${run_script}" "${directory}/arguments.txt"
    COMMENT "Generating clock-hand tables ${shown}"
    VERBATIM)
  if(module)
    set_source_files_properties("${module}" TARGET_DIRECTORY ${target} PROPERTIES GENERATED TRUE HEADER_FILE_ONLY TRUE)
    target_sources(${target} PRIVATE "${module}")
    set_property(TARGET ${target} APPEND PROPERTY HNDPOS_MODULES "${module}")
    get_target_property(target_directory ${target} SOURCE_DIR)
    if(NOT target_directory STREQUAL CMAKE_CURRENT_SOURCE_DIR)
      add_custom_target(hndpos_tables_${target}_${key} DEPENDS ${outputs})
      add_dependencies(${target} hndpos_tables_${target}_${key})
    endif()
    return()
  endif()
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
