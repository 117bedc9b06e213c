# hndpos_add_tables(<target> CENTER <x> <y> RADII <hour> <minute> <second>)
#
# Generates hpostbl.c with hndpos::hndpos at build time and adds it to
# <target>. Each set of parameters gets a directory of its own under the
# build tree, since the tool's output name is fixed. The tables are rebuilt
# when the parameters or the tool change; a failing run fails the build, and
# its partial output is never used: the tool writes into a scratch directory
# and the file is copied out only after a successful run.
#
# The generated initialisers are flat (no inner braces), which -Wall reports
# as -Wmissing-braces with gcc (C) and clang; that one warning is turned off
# for the generated file alone.

function(hndpos_add_tables target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "CENTER;RADII")
  list(LENGTH arg_CENTER center_count)
  list(LENGTH arg_RADII radii_count)
  if(arg_UNPARSED_ARGUMENTS OR NOT center_count EQUAL 2 OR NOT radii_count EQUAL 3)
    message(FATAL_ERROR "hndpos_add_tables(${target} CENTER <x> <y> RADII <hour> <minute> <second>)")
  endif()
  if(NOT TARGET ${target})
    message(FATAL_ERROR "hndpos_add_tables: ${target} is not a target")
  endif()

  set(arguments ${arg_CENTER} ${arg_RADII})
  set(key "")
  foreach(value IN LISTS arguments)
    if(NOT value MATCHES "^[-+]?[0-9]+$" AND NOT value MATCHES "^\\$[0-9A-Fa-f]+$")
      message(FATAL_ERROR "hndpos_add_tables: '${value}' is not an integer (decimal, or hexadecimal after $)")
    endif()
    # A directory name that keeps every argument apart: 83_m30_x1F...
    string(REPLACE "-" "m" part "${value}")
    string(REPLACE "+" "p" part "${part}")
    string(REPLACE "$" "x" part "${part}")
    string(APPEND key "_${part}")
  endforeach()
  string(SUBSTRING "${key}" 1 -1 key)

  set(directory "${CMAKE_CURRENT_BINARY_DIR}/hndpos-tables/${key}")
  set(output "${directory}/hpostbl.c")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${directory}/run"
    COMMAND "${CMAKE_COMMAND}" -E remove -f "${directory}/run/hpostbl.c"
    COMMAND "${CMAKE_COMMAND}" -E chdir "${directory}/run" "$<TARGET_FILE:hndpos::hndpos>" ${arguments}
    COMMAND "${CMAKE_COMMAND}" -E copy "${directory}/run/hpostbl.c" "${output}"
    DEPENDS hndpos::hndpos "$<TARGET_FILE:hndpos::hndpos>"
    COMMENT "Generating clock-hand tables for ${arguments}"
    VERBATIM)
  set_source_files_properties("${output}" TARGET_DIRECTORY ${target} PROPERTIES
    GENERATED TRUE
    COMPILE_OPTIONS "$<$<COMPILE_LANG_AND_ID:C,GNU,Clang,AppleClang>:-Wno-missing-braces>;$<$<COMPILE_LANG_AND_ID:CXX,GNU,Clang,AppleClang>:-Wno-missing-braces>")
  target_sources(${target} PRIVATE "${output}")
endfunction()
