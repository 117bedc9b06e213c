# Makes the Arduino library's zip (cmake -P): SOURCE the library's folder,
# STAGE where its tree is laid out, TABLES hndpos-tables, HELPERS
# hndpos_print_index_helpers, PROPERTIES the configured library.properties,
# OUTPUT the zip. Each example's tables are written by the commands its
# sketch names, so the sketch and its tables cannot disagree. The zip takes
# its time from SOURCE_DATE_EPOCH: two builds of one commit are the same bytes.

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status ERROR_VARIABLE error)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}: ${status} ${error}")
  endif()
endfunction()

file(REMOVE_RECURSE "${STAGE}")
set(library "${STAGE}/hndpos")
file(MAKE_DIRECTORY "${library}/src" "${library}/examples")
file(COPY_FILE "${PROPERTIES}" "${library}/library.properties")
file(COPY_FILE "${SOURCE}/README.md" "${library}/README.md")
file(COPY_FILE "${SOURCE}/src/HndposTextDisplay.h" "${library}/src/HndposTextDisplay.h")
run("${HELPERS}" hndpos.h OUTPUT_FILE "${library}/src/hndpos.h")

file(GLOB sketches RELATIVE "${SOURCE}/examples" "${SOURCE}/examples/*/*.ino")
foreach(sketch IN LISTS sketches)
  get_filename_component(name "${sketch}" DIRECTORY)
  set(folder "${library}/examples/${name}")
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${SOURCE}/examples/${sketch}" "${folder}/${name}.ino")
  # The comment's "//   hndpos-tables ..." lines, a command each.
  file(STRINGS "${SOURCE}/examples/${sketch}" lines REGEX "^//   hndpos-tables ")
  list(LENGTH lines commands)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^//   hndpos-tables " "" line "${line}")
    separate_arguments(arguments UNIX_COMMAND "${line}")
    execute_process(COMMAND "${TABLES}" ${arguments} WORKING_DIRECTORY "${folder}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${sketch}: hndpos-tables ${line} failed")
    endif()
  endforeach()
  if(NOT commands EQUAL 2)
    message(FATAL_ERROR "${sketch}: expected the two hndpos-tables commands that write its tables")
  endif()
endforeach()

# Modes, order and times fixed, whatever the builder's umask and clock.
# Files only: a folder given to tar would bring its files a second time,
# in the order the disk lists them.
file(GLOB_RECURSE files RELATIVE "${STAGE}" "${STAGE}/*")
list(SORT files)
foreach(file IN LISTS files)
  file(CHMOD "${STAGE}/${file}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(NOT epoch MATCHES "^[0-9]+$" OR epoch LESS 315532800)
  set(epoch 315532800)  # 1980-01-01, the earliest time a zip holds
endif()
# With SOURCE_DATE_EPOCH set, CMake's archives give every entry that time
# (modified, accessed, changed), which --mtime would not; a zip keeps it as
# local time, so the zone is UTC.
set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
get_filename_component(output_directory "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${output_directory}")
file(REMOVE "${OUTPUT}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC "${CMAKE_COMMAND}" -E tar cf "${OUTPUT}" --format=zip
  -- ${files} WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot write ${OUTPUT}")
endif()
