# Runs hndpos for hndpos_add_tables at build time (cmake -P). Given:
#   HNDPOS, VIEW      the program and hndpos-view
#   ARGUMENT0..4      the five arguments, as the program gets them
#   DIRECTORY         where hpostbl.c, hndpos.log and the run's directory go
#   CONTEXT           "hndpos_add_tables(<target>)", for messages
#   DISPLAY           WxH to check the tips against, or empty
#   EMIT              data, const or progmem; for the last two, COMPACT is
#                     the C file to write, with PREFIX and HEADER
#
# The console output goes to hndpos.log. The outputs appear only after
# every step succeeded; a failure removes them, so that the build stops now
# and runs this again next time.

set(arguments "")
foreach(index RANGE 4)
  list(APPEND arguments "${ARGUMENT${index}}")
endforeach()
list(JOIN arguments " " shown)
set(run "${DIRECTORY}/run")
set(log "${DIRECTORY}/hndpos.log")
set(table "${DIRECTORY}/hpostbl.c")

function(fail text)
  file(REMOVE "${table}" "${COMPACT}")
  message(FATAL_ERROR "${CONTEXT}: ${text}")
endfunction()

file(REMOVE "${table}" "${COMPACT}" "${run}/hpostbl.c")
file(MAKE_DIRECTORY "${run}")
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

if(NOT EMIT STREQUAL "data")
  execute_process(COMMAND "${VIEW}" "--emit=${EMIT}" "--prefix=${PREFIX}" "--header=${HEADER}" -o "${COMPACT}"
    "${run}/hpostbl.c" ERROR_VARIABLE problem RESULT_VARIABLE emitted)
  if(NOT emitted STREQUAL "0")
    fail("hndpos-view could not write ${COMPACT}: ${problem}")
  endif()
endif()
file(COPY_FILE "${run}/hpostbl.c" "${table}")
