# The release kit: one target, `release`, that runs the kit-<target>
# workflow presets (the page, then the programs for every target, each in
# build/release-kit/kit-<target>), gathers their packages and writes
# SHA256SUMS into build/package/. Every build takes
# its time from SOURCE_DATE_EPOCH, by default the last commit's time, so
# that two builds of one commit give the same bytes.
add_custom_target(release ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DWORK_DIR=${PROJECT_BINARY_DIR}
    -DOUTPUT_DIR=${PROJECT_SOURCE_DIR}/build/package -DVERSION=${PROJECT_VERSION}
    -P ${PROJECT_SOURCE_DIR}/cmake/MakeRelease.cmake
  USES_TERMINAL
  VERBATIM)
