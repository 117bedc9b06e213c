# Runs the programs for hndpos_add_tables at build time (cmake -P). Given:
#   VIEW              hndpos-view, which writes the header of hndpos's tables
#                     and their compact forms, and checks them
#   HNDPOS            hndpos, for hndpos's own tables, with CENTER0..1 and
#                     RADII0..2, each as it was given; or
#   TABLES            hndpos-tables, for tables with any number of positions
#   ARGUMENTS         a file of hndpos-tables' arguments for the call, one a
#                     line (the values as given, the words in the program's
#                     spelling)
#   DIRECTORY         where the tables, hndpos.log and the run's directory go
#   HEADER            the header to write
#   CONTEXT           "hndpos_add_tables(<target>)", for messages
#   DISPLAY           WxH to check the tips against, or empty
#   EMIT              data, const or progmem; COMPACT is the C file to compile
#   PREFIX            the arrays' and macros' prefix
#   MODULE            instead of C, the JSON, Rust or MicroPython file to write
#
# The outputs appear only after every step succeeded; a failure removes
# them, so that the build stops now and runs this again next time.

set(run "${DIRECTORY}/run")
set(log "${DIRECTORY}/hndpos.log")
set(table "${DIRECTORY}/hpostbl.c")
get_filename_component(header_name "${HEADER}" NAME)
get_filename_component(header_directory "${HEADER}" DIRECTORY)

function(fail text)
  file(REMOVE "${table}" "${COMPACT}" "${HEADER}")
  message(FATAL_ERROR "${CONTEXT}: ${text}")
endfunction()

file(REMOVE "${table}" "${COMPACT}" "${HEADER}" "${run}/hpostbl.c")
file(MAKE_DIRECTORY "${run}" "${header_directory}")

# hndpos-tables with the call's arguments (checked when it was made, one a
# line) and ARGN, or the build stopped with its report.
function(run_tables)
  file(STRINGS "${ARGUMENTS}" arguments)
  execute_process(COMMAND "${TABLES}" ${arguments} ${ARGN} ERROR_VARIABLE problem RESULT_VARIABLE status)
  if(NOT status STREQUAL "0")
    string(REGEX REPLACE "^hndpos-tables: " "" problem "${problem}")
    string(STRIP "${problem}" problem)
    fail("hndpos-tables failed with exit status ${status}: ${problem}")
  endif()
endfunction()

if(MODULE)
  # One file of another format: no header.
  file(REMOVE "${MODULE}")
  get_filename_component(module_name "${MODULE}" NAME)
  run_tables(-o "${run}/${module_name}")
  file(COPY_FILE "${run}/${module_name}" "${MODULE}")
  return()
endif()

if(TABLES)
  # Tables of true coordinates, any number of positions.
  get_filename_component(source_name "${COMPACT}" NAME)
  run_tables(--header "${header_name}" -o "${run}/${source_name}")
  file(COPY_FILE "${run}/${header_name}" "${HEADER}")
  file(COPY_FILE "${run}/${source_name}" "${COMPACT}")
  return()
endif()

set(arguments "${CENTER0}" "${CENTER1}" "${RADII0}" "${RADII1}" "${RADII2}")
list(JOIN arguments " " shown)
execute_process(COMMAND "${HNDPOS}" ${arguments}
  WORKING_DIRECTORY "${run}" OUTPUT_FILE "${log}" ERROR_FILE "${log}.stderr" RESULT_VARIABLE status)

if(NOT status STREQUAL "0" OR NOT EXISTS "${run}/hpostbl.c")
  # The program's text is Shift_JIS; the viewer knows every character of it.
  execute_process(COMMAND "${VIEW}" --to-utf8 "${log}" OUTPUT_VARIABLE console RESULT_VARIABLE converted)
  if(NOT converted STREQUAL "0")
    file(READ "${log}" console)
  endif()
  string(REPLACE "\r" "" console "${console}")
  string(STRIP "${console}" console)
  # After a failure, the report is the last two lines.
  if(status STREQUAL "1")
    string(REGEX MATCH "[^\n]*\n[^\n]*$" console "${console}")
  endif()
  string(REPLACE "\n" "\n  " console "${console}")
  if(status STREQUAL "0")
    set(status "0 but wrote no table")
  endif()
  fail("hndpos ${shown} failed with exit status ${status}:\n  ${console}\nIts whole output is in ${log} (Shift_JIS).")
endif()

if(DISPLAY)
  execute_process(COMMAND "${VIEW}" --check "--display=${DISPLAY}" "${run}/hpostbl.c"
    OUTPUT_QUIET ERROR_VARIABLE problem RESULT_VARIABLE checked)
  if(NOT checked STREQUAL "0")
    string(REGEX REPLACE "^hndpos-view: [^:]*: " "" problem "${problem}")
    string(STRIP "${problem}" problem)
    fail("the tables of hndpos ${shown} do not fit the ${DISPLAY} display: ${problem}")
  endif()
endif()

# The header (and for CONST and PROGMEM the bytes) from the checked file.
set(emitted "${run}/emitted.c")
execute_process(COMMAND "${VIEW}" "--emit=${EMIT}" "--prefix=${PREFIX}" "--header=${header_name}" -o "${emitted}"
  "${run}/hpostbl.c" ERROR_VARIABLE problem RESULT_VARIABLE status)
if(NOT status STREQUAL "0")
  fail("hndpos-view could not write the tables' C: ${problem}")
endif()
file(COPY_FILE "${run}/${header_name}" "${HEADER}")
if(NOT EMIT STREQUAL "data")
  file(COPY_FILE "${emitted}" "${COMPACT}")
endif()
file(COPY_FILE "${run}/hpostbl.c" "${table}")
