# The limits hndpos_add_tables checks, read from the core's own statement of
# them (src/dial/dial_rules.h) into hndpos-limits.cmake, which this build
# includes and the package installs beside HndposTables.cmake. Each becomes
# a global property, HNDPOS_<NAME>, seen from every directory of a project.
set(rules_header ${PROJECT_SOURCE_DIR}/src/dial/dial_rules.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${rules_header})
file(STRINGS ${rules_header} rules REGEX "^inline constexpr int [a-z_]+ = [0-9]+;$")
set(limits "# The limits of hndpos's core, as hndpos ${PROJECT_VERSION} was configured with them.\n")
foreach(rule IN LISTS rules)
  string(REGEX REPLACE "^inline constexpr int ([a-z_]+) = ([0-9]+);$" "\\1" name "${rule}")
  string(REGEX REPLACE "^inline constexpr int ([a-z_]+) = ([0-9]+);$" "\\2" value "${rule}")
  string(TOUPPER "HNDPOS_${name}" property)
  string(APPEND limits "set_property(GLOBAL PROPERTY ${property} ${value})\n")
endforeach()
foreach(needed MIN_POSITIONS MAX_POSITIONS MIN_DISPLAY_SIDE MAX_BYTE_DISPLAY_SIDE MAX_WIDE_DISPLAY_SIDE)
  if(NOT limits MATCHES "HNDPOS_${needed} ")
    message(FATAL_ERROR "${rules_header} no longer states ${needed} as 'inline constexpr int NAME = VALUE;'")
  endif()
endforeach()
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/hndpos-limits.cmake CONTENT "${limits}")
include(${PROJECT_BINARY_DIR}/hndpos-limits.cmake)
