# The release kit: one target, `release`, that builds the page and the
# programs for every target in trees of their own, packs them and writes
# SHA256SUMS, all into build/package/ of the source tree. Every build takes
# its time from SOURCE_DATE_EPOCH, by default the last commit's time, so
# that two builds of one commit give the same bytes.
add_custom_target(release ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DWORK_DIR=${PROJECT_BINARY_DIR}
    -DOUTPUT_DIR=${PROJECT_SOURCE_DIR}/build/package -DVERSION=${PROJECT_VERSION} -DCPACK=${CMAKE_CPACK_COMMAND}
    -P ${PROJECT_SOURCE_DIR}/cmake/MakeRelease.cmake
  USES_TERMINAL
  VERBATIM)
