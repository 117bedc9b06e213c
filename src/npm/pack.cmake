# npm pack (cmake -P): PACKAGE the package's folder, DESTINATION for the
# tarball, NPM the program, LOG its output. npm keeps the files' modes:
# they are set here, whatever the builder's umask, so that two builds of one
# commit give the same bytes (npm fixes the times itself).
file(CHMOD_RECURSE "${PACKAGE}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(GLOB commands "${PACKAGE}/bin/*.cjs")
file(CHMOD ${commands} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(ENV{npm_config_update_notifier} false)
set(ENV{npm_config_fund} false)
set(ENV{npm_config_audit} false)
execute_process(COMMAND "${NPM}" pack --offline --pack-destination "${DESTINATION}" "${PACKAGE}"
  OUTPUT_FILE "${LOG}" ERROR_FILE "${LOG}.errors" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(READ "${LOG}.errors" errors)
  message(FATAL_ERROR "npm pack failed: ${errors}")
endif()
