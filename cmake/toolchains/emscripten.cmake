# The page's toolchain: Emscripten's own toolchain file, from beside the emcc
# on the PATH (an emsdk's or a distribution's).
find_program(HNDPOS_EMCC emcc)
if(NOT HNDPOS_EMCC)
  message(FATAL_ERROR "no emcc on the PATH: the page needs Emscripten (Debian: emscripten; or an emsdk)")
endif()
file(REAL_PATH "${HNDPOS_EMCC}" emcc_path)
get_filename_component(emscripten_root "${emcc_path}" DIRECTORY)
if(NOT EXISTS "${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake")
  message(FATAL_ERROR "no cmake/Modules/Platform/Emscripten.cmake beside ${emcc_path}")
endif()
include("${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake")

# An emsdk keeps the Node modules its JavaScript passes need (acorn) in its
# own node_modules; a distribution may keep them in its shared Node folder
# beside Emscripten's, which node does not search by itself. Compiling and
# linking then run with NODE_PATH naming it.
get_filename_component(shared_node_modules "${emscripten_root}/../nodejs" ABSOLUTE)
if(NOT EXISTS "${emscripten_root}/node_modules/acorn" AND EXISTS "${shared_node_modules}/acorn")
  set(node_path_launcher "${CMAKE_COMMAND}" -E env "NODE_PATH=${shared_node_modules}")
  foreach(lang C CXX)
    set(CMAKE_${lang}_COMPILER_LAUNCHER ${node_path_launcher})
    set(CMAKE_${lang}_LINKER_LAUNCHER ${node_path_launcher})
  endforeach()
endif()
