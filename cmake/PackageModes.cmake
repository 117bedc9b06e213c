# Run by CPack between staging and packing (CPACK_PRE_BUILD_SCRIPTS): every
# directory of the package 0755, whatever the builder's umask (CMake makes
# the directories it installs into with the umask applied; the files already
# have the modes install() gives them, 0644 and 0755 for programs).
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(entry IN LISTS entries ITEMS "${CPACK_TEMPORARY_DIRECTORY}")
  if(IS_DIRECTORY "${entry}" AND NOT IS_SYMLINK "${entry}")
    file(CHMOD "${entry}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
      WORLD_EXECUTE)
  endif()
endforeach()
