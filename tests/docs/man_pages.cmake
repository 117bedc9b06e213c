# The manual pages against the build: each names the project's version, and
# hndpos-tables(1) and hndpos-view(1) state the limits the programs apply,
# as cmake/hndpos-options.cmake gives them from the core.
#   cmake -DSOURCE=<source dir> -DVERSION=<version> -P man_pages.cmake
include("${SOURCE}/cmake/hndpos-options.cmake")
foreach(name MIN_POSITIONS MAX_POSITIONS MIN_FIGURE_POINTS MAX_FIGURE_POINTS MAX_SUBPIXEL_BITS MIN_DISPLAY_SIDE
             MAX_WIDE_DISPLAY_SIDE MAX_PREFIX_LENGTH)
  get_property(${name} GLOBAL PROPERTY HNDPOS_${name})
endforeach()
set(phrases_hndpos "")
set(phrases_hndpos-view "${MIN_DISPLAY_SIDE} to ${MAX_WIDE_DISPLAY_SIDE}")
set(phrases_hndpos-tables "${MIN_POSITIONS} to ${MAX_POSITIONS}" "${MIN_FIGURE_POINTS} to ${MAX_FIGURE_POINTS} points"
  "0 to ${MAX_SUBPIXEL_BITS}" "${MIN_DISPLAY_SIDE} to ${MAX_WIDE_DISPLAY_SIDE}" "${MAX_PREFIX_LENGTH} characters")
foreach(page hndpos hndpos-view hndpos-tables)
  file(READ "${SOURCE}/doc/${page}.1" text)
  string(REGEX REPLACE "\n" " " text "${text}")
  if(NOT text MATCHES "^\\.TH [A-Z-]+ 1 \"[^\"]*\" \"hndpos ${VERSION}\"")
    message(SEND_ERROR "doc/${page}.1 does not name hndpos ${VERSION} in its .TH line")
  endif()
  foreach(phrase IN LISTS phrases_${page})
    string(FIND "${text}" "${phrase}" at)
    if(at EQUAL -1)
      message(SEND_ERROR "doc/${page}.1 does not say \"${phrase}\", as the programs' limits are")
    endif()
  endforeach()
endforeach()
