# The packages CPack makes from an installation: for Linux a .deb (on the
# machine's own processor) and a relocatable .tar.gz, for Windows a .zip,
# each named hndpos-<version>-<system>.
set(CPACK_PACKAGE_NAME hndpos)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "HNDPOS authors")
set(CPACK_PACKAGE_CONTACT "HNDPOS authors <hndpos@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clock-hand tip position tables for pixel displays")
set(CPACK_PACKAGE_DESCRIPTION "hndpos-tables writes C (with a header of macros) or JSON tables of the tip
positions of an analog clock's hands for any panel and any number of
positions per hand, and of hands as shapes with tails and rings of ticks;
hndpos writes hpostbl.c, byte tables of 60 positions a hand. Every entry is
computed exactly, in the 80-bit extended format or as the integer nearest
to the exact value. hndpos-view draws, checks and compacts the tables, and
a CMake package generates them from firmware builds.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)

if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(package_system windows-x64)
  else()
    set(package_system windows-x86)
  endif()
  set(CPACK_GENERATOR ZIP)
else()
  string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" package_system)
  set(CPACK_GENERATOR TGZ)
  if(NOT CMAKE_CROSSCOMPILING)
    list(APPEND CPACK_GENERATOR DEB)
  endif()
endif()
set(CPACK_PACKAGE_FILE_NAME "hndpos-${PROJECT_VERSION}-${package_system}")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "HNDPOS authors <hndpos@example.org>")
# Fully static programs depend on nothing.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(NOT WIN32)
  # Debian's own files, for the .deb alone (component debian): the tarball,
  # for any Linux, holds the rest.
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
    RENAME hndpos COMPONENT debian)
  # The page under share/doc is documentation: registered with doc-base,
  # where Debian's documentation browsers find it.
  if(HNDPOS_PAGE)
    install(FILES ${PROJECT_SOURCE_DIR}/cmake/doc-base DESTINATION ${CMAKE_INSTALL_DATADIR}/doc-base RENAME hndpos
      COMPONENT debian)
  endif()
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/cpack-options.cmake CONTENT [[
if(CPACK_GENERATOR STREQUAL "TGZ")
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_COMPONENTS_ALL Unspecified)
  set(CPACK_ARCHIVE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}")
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
]])
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/cpack-options.cmake)
endif()
include(CPack)
