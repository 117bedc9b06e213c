# What an installation and the packages hold.
#
# Linux and other POSIX systems: the programs, their manual pages, the CMake
# package that gives hndpos::hndpos, hndpos::view, hndpos::tables and
# hndpos_add_tables() to firmware projects (relative paths throughout, so an
# unpacked tree works wherever it lies), the licence, the changelog and,
# when built, the page.
# Windows: the three programs, the page, the CMake package, and the README
# and the licence with CR LF.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# Text as Windows shows it: every line ended by CR LF.
function(hndpos_windows_text source destination)
  file(READ "${source}" text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${destination}" "${text}")
endfunction()

# Windows: the programs and the page at the top of the folder, where a
# user double-clicks them; the CMake package below lib, its paths relative.
if(WIN32)
  set(program_dir .)
  set(page_dir .)
else()
  set(program_dir ${CMAKE_INSTALL_BINDIR})
  # An HTML page is documentation to Debian's policy, at home in the doc folder.
  set(page_dir ${CMAKE_INSTALL_DATADIR}/doc/hndpos)
endif()
set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/hndpos)
install(TARGETS hndpos hndpos-view hndpos-tables EXPORT hndpos-targets RUNTIME DESTINATION ${program_dir})
install(EXPORT hndpos-targets NAMESPACE hndpos:: DESTINATION ${package_dir})
configure_package_config_file(cmake/hndpos-config.cmake.in ${PROJECT_BINARY_DIR}/hndpos-config.cmake
  INSTALL_DESTINATION ${package_dir})
# The package describes programs that run on the build host: a firmware
# project for any processor, of any word size, may use it.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/hndpos-config-version.cmake COMPATIBILITY SameMajorVersion
  ARCH_INDEPENDENT)
install(FILES ${PROJECT_BINARY_DIR}/hndpos-config.cmake ${PROJECT_BINARY_DIR}/hndpos-config-version.cmake
  cmake/HndposTables.cmake cmake/HndposRun.cmake cmake/hndpos-options.cmake DESTINATION ${package_dir})

# The page, built by the web preset, goes with the programs when named.
set(HNDPOS_PAGE "" CACHE FILEPATH "hndpos.html from the web build, to install with the programs")
if(HNDPOS_PAGE)
  # The release kit's presets name the page the kit-web preset builds; said
  # here, at configure time, rather than when packing fails.
  if(NOT EXISTS "${HNDPOS_PAGE}")
    message(FATAL_ERROR "The page to package, ${HNDPOS_PAGE}, has not been built: "
      "run 'cmake --workflow --preset kit-web' first (or 'cmake --workflow --preset package' for every target)")
  endif()
  install(FILES ${HNDPOS_PAGE} DESTINATION ${page_dir})
endif()

if(WIN32)
  hndpos_windows_text(${PROJECT_SOURCE_DIR}/doc/README-windows.txt ${PROJECT_BINARY_DIR}/README.txt)
  hndpos_windows_text(${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt ${PROJECT_BINARY_DIR}/LICENSE.txt DESTINATION .)
  return()
endif()

set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/hndpos)

# Manual pages and the changelog compressed as Debian wants them (gzip -n:
# no name or time inside, the same bytes every time).
find_program(GZIP_PROGRAM gzip)
# The date of the release: SOURCE_DATE_EPOCH when it is set, as CMake reads it.
string(TIMESTAMP release_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(cmake/changelog.Debian.in ${PROJECT_BINARY_DIR}/doc/changelog @ONLY)
set(compressed "")
foreach(file doc/hndpos.1 doc/hndpos-view.1 doc/hndpos-tables.1 ${PROJECT_BINARY_DIR}/doc/changelog)
  get_filename_component(name ${file} NAME)
  if(GZIP_PROGRAM)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/doc/${name}.gz
      COMMAND ${GZIP_PROGRAM} -9 -n -c ${file} > ${PROJECT_BINARY_DIR}/doc/${name}.gz
      DEPENDS ${file} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)
    list(APPEND compressed ${PROJECT_BINARY_DIR}/doc/${name}.gz)
  endif()
endforeach()
if(GZIP_PROGRAM)
  add_custom_target(hndpos_docs ALL DEPENDS ${compressed})
  install(FILES ${PROJECT_BINARY_DIR}/doc/hndpos.1.gz ${PROJECT_BINARY_DIR}/doc/hndpos-view.1.gz
    ${PROJECT_BINARY_DIR}/doc/hndpos-tables.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_BINARY_DIR}/doc/changelog.gz DESTINATION ${doc_dir})
else()
  install(FILES doc/hndpos.1 doc/hndpos-view.1 doc/hndpos-tables.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# The copyright file in Debian's format, with the licence's own text.
file(STRINGS LICENSE license_lines)
set(license_text "")
foreach(line IN LISTS license_lines)
  if(line STREQUAL "")
    string(APPEND license_text " .\n")
  else()
    string(APPEND license_text " ${line}\n")
  endif()
endforeach()
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/doc/copyright CONTENT "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: hndpos
Upstream-Contact: HNDPOS authors <hndpos@example.org>

Files: *
Copyright: 2026 HNDPOS authors
License: Expat
${license_text}")
# The copyright file carries the licence's text.
install(FILES ${PROJECT_BINARY_DIR}/doc/copyright CHANGELOG.md README.md DESTINATION ${doc_dir})
