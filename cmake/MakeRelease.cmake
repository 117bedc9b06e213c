# Makes the release (cmake -P): SOURCE_DIR, WORK_DIR for the build trees,
# OUTPUT_DIR for the packages, VERSION, and CPACK, the cpack to pack with.

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

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "failed (${status}): ${command}")
  endif()
endfunction()

# build NAME [ARGUMENT...]: a release tree of the programs, configured with
# the arguments, built, and packed into OUTPUT_DIR.
function(build name)
  set(tree "${WORK_DIR}/${name}")
  message(STATUS "Building ${name}")
  run(${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${tree}" -DCMAKE_BUILD_TYPE=Release -DHNDPOS_RELEASE=ON
    -DHNDPOS_BUILD_TESTING=OFF -DBUILD_TESTING=OFF ${ARGN})
  run(${CMAKE_COMMAND} --build "${tree}" --parallel 2)
  if(EXISTS "${tree}/CPackConfig.cmake")
    run(${CPACK} --config "${tree}/CPackConfig.cmake" -B "${tree}/packages")
    file(GLOB packages "${tree}/packages/*.deb" "${tree}/packages/*.tar.gz" "${tree}/packages/*.zip")
    file(COPY ${packages} DESTINATION "${OUTPUT_DIR}")
  endif()
endfunction()

file(REMOVE_RECURSE "${OUTPUT_DIR}")
file(MAKE_DIRECTORY "${OUTPUT_DIR}")

# The page first: the Linux packages carry it.
find_program(EMCC emcc)
if(NOT EMCC)
  message(FATAL_ERROR "the release carries the page: install Emscripten (Debian: emscripten)")
endif()
set(ENV{NODE_PATH} "/usr/share/nodejs")
build(web --toolchain /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake -DCMAKE_BUILD_TYPE=MinSizeRel)
set(page "${WORK_DIR}/web/hndpos.html")

set(toolchains "${SOURCE_DIR}/cmake/toolchains")
build(linux-x86_64 -DHNDPOS_PAGE=${page})
build(linux-aarch64 --toolchain "${toolchains}/linux-aarch64.cmake" -DHNDPOS_PAGE=${page})
build(windows-x86 --toolchain "${toolchains}/windows-x86.cmake" -DHNDPOS_PAGE=${page})
build(windows-x64 --toolchain "${toolchains}/windows-x64.cmake" -DHNDPOS_PAGE=${page})

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
