# The packages CPack makes from an installation: for Linux a .deb (on the
# machine's own processor) and a relocatable .tar.gz, for Windows a .zip,
# each named hndpos-<version>-<system>.
set(CPACK_PACKAGE_NAME hndpos)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "HNDPOS authors")
set(CPACK_PACKAGE_CONTACT "HNDPOS authors <hndpos@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clock-hand tip position tables for pixel displays")
set(CPACK_PACKAGE_DESCRIPTION "hndpos writes hpostbl.c, C tables of the tip positions of an analog clock's
hour, minute and second hand at each of 60 positions, from the dial's centre
and the hands' radii, computed exactly in the 80-bit extended format.
hndpos-view draws, checks and compacts the tables, and a CMake package
generates them from firmware builds.")
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
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
    RENAME hndpos)
  # The page under share/doc is documentation: registered with doc-base,
  # where Debian's documentation browsers find it.
  if(HNDPOS_PAGE)
    install(FILES ${PROJECT_SOURCE_DIR}/cmake/doc-base DESTINATION ${CMAKE_INSTALL_DATADIR}/doc-base RENAME hndpos)
  endif()
endif()
include(CPack)
