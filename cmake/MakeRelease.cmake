# Makes the release (cmake -P) from the kit-<target> workflow presets:
# SOURCE_DIR, WORK_DIR where the presets build (build/release-kit),
# OUTPUT_DIR for the packages, and VERSION.

if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY "${SOURCE_DIR}"
    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "no commit to take the release time from: set SOURCE_DATE_EPOCH")
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
message(STATUS "Release ${VERSION}, SOURCE_DATE_EPOCH=$ENV{SOURCE_DATE_EPOCH}")
# The zips' DOS times are local times, and tools' messages and sorting
# follow the locale: the same bytes in every time zone and language.
set(ENV{TZ} UTC)
set(ENV{LC_ALL} C)

# Each target is a workflow preset, kit-<target>: configured, built and,
# but for the page, packed into build/release-kit/kit-<target>/packages.
function(workflow target)
  message(STATUS "Building ${target}")
  # Under umask 022, whatever the builder's: the directories CMake makes
  # for installing and the files CPack writes (the .deb's members) take
  # their modes from it; files and programs get 0644 and 0755 from install().
  execute_process(COMMAND sh -c "umask 022 && exec \"$0\" \"$@\"" ${CMAKE_COMMAND} --workflow --preset kit-${target} --fresh
    WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): cmake --workflow --preset kit-${target}")
  endif()
  file(GLOB packages "${WORK_DIR}/kit-${target}/packages/*.deb" "${WORK_DIR}/kit-${target}/packages/*.tar.gz"
       "${WORK_DIR}/kit-${target}/packages/*.zip" "${WORK_DIR}/kit-${target}/hndpos-*.tgz")
  if(packages)
    file(COPY ${packages} DESTINATION "${OUTPUT_DIR}")
  endif()
endfunction()

file(REMOVE_RECURSE "${OUTPUT_DIR}")
file(MAKE_DIRECTORY "${OUTPUT_DIR}")

# The page first: every package carries it.
foreach(target web npm linux-x86_64 linux-aarch64 windows-x86 windows-x64)
  workflow(${target})
endforeach()

# The checksums, in the format sha256sum -c reads: hash, two spaces, name.
file(GLOB packages RELATIVE "${OUTPUT_DIR}" "${OUTPUT_DIR}/*")
list(SORT packages)
set(sums "")
foreach(package IN LISTS packages)
  file(SHA256 "${OUTPUT_DIR}/${package}" hash)
  string(APPEND sums "${hash}  ${package}\n")
endforeach()
file(WRITE "${OUTPUT_DIR}/SHA256SUMS" "${sums}")
message(STATUS "The release in ${OUTPUT_DIR}:\n${sums}")
