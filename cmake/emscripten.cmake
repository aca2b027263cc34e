# SPDX-License-Identifier: GPL-3.0-or-later
# Builds for WebAssembly with Debian's emscripten (em++): its own CMake platform file, plus
# what this project needs around it, for any emscripten release Debian ships.
#
#  - emscripten runs parts of itself under node, and its optimizer needs Debian's acorn from
#    /usr/share/nodejs, which a node from outside Debian does not search: every compile and
#    link runs with NODE_PATH naming that folder.
#  - Debian ships emscripten's system libraries (libc, libc++, ...) prebuilt in a read-only
#    cache. Where that cache lacks them, emscripten builds them on first use into a cache of
#    this project (.cache/emscripten, or EM_CACHE when set), never into the home folder.
#  - C++ exceptions are on: the program reports its arithmetic faults by throwing.
#  - Programs built here run under node for the tests (CMAKE_CROSSCOMPILING_EMULATOR).

execute_process(COMMAND em-config EMSCRIPTEN_ROOT OUTPUT_VARIABLE quorvel_em_root
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE quorvel_em_result)
if(NOT quorvel_em_result EQUAL 0 OR NOT EXISTS "${quorvel_em_root}/cmake/Modules/Platform/Emscripten.cmake")
  message(FATAL_ERROR "emscripten not found (em-config EMSCRIPTEN_ROOT): install the Debian "
                      "package emscripten (make deps)")
endif()

# The environment every emscripten tool runs in. Worked out once, by the first reading of this
# file; CMake's trial builds read it again and inherit the environment set here.
if(NOT DEFINED ENV{QUORVEL_EMSCRIPTEN_ENV})
  set(quorvel_em_env "NODE_PATH=/usr/share/nodejs")
  if(DEFINED ENV{NODE_PATH} AND NOT "$ENV{NODE_PATH}" STREQUAL "")
    string(APPEND quorvel_em_env ":$ENV{NODE_PATH}")
  endif()

  execute_process(COMMAND em-config CACHE OUTPUT_VARIABLE quorvel_em_cache
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND em-config FROZEN_CACHE OUTPUT_VARIABLE quorvel_em_frozen
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  set(quorvel_em_libraries "${quorvel_em_cache}/sysroot/lib/wasm32-emscripten")
  if(DEFINED ENV{EM_CACHE})
    # The caller's own cache, for the build too, filled on first use.
    list(APPEND quorvel_em_env "EM_CACHE=$ENV{EM_CACHE}" "EM_FROZEN_CACHE=")
  elseif(NOT (quorvel_em_frozen STREQUAL "True" AND EXISTS "${quorvel_em_libraries}/libc.a"
              AND EXISTS "${quorvel_em_libraries}/libc++.a"))
    get_filename_component(quorvel_project_cache "${CMAKE_CURRENT_LIST_DIR}/../.cache/emscripten"
                           ABSOLUTE)
    list(APPEND quorvel_em_env "EM_CACHE=${quorvel_project_cache}" "EM_FROZEN_CACHE=")
    message(STATUS "emscripten builds its system libraries into ${quorvel_project_cache} on "
                   "first use (about ten minutes)")
  endif()
  set(ENV{QUORVEL_EMSCRIPTEN_ENV} "${quorvel_em_env}")
  foreach(assignment IN LISTS quorvel_em_env)
    string(REGEX MATCH "^([A-Z_]+)=(.*)$" unused "${assignment}")
    set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
  endforeach()
endif()
set(QUORVEL_EMSCRIPTEN_ENV "$ENV{QUORVEL_EMSCRIPTEN_ENV}")

include("${quorvel_em_root}/cmake/Modules/Platform/Emscripten.cmake")

# The build itself (ninja or make, started outside CMake) gets the same environment through
# the compiler and linker launchers; a custom command that runs an emscripten tool can put
# `env ${QUORVEL_EMSCRIPTEN_ENV}` before it.
set(CMAKE_C_COMPILER_LAUNCHER env ${QUORVEL_EMSCRIPTEN_ENV})
set(CMAKE_CXX_COMPILER_LAUNCHER env ${QUORVEL_EMSCRIPTEN_ENV})
set(CMAKE_C_LINKER_LAUNCHER env ${QUORVEL_EMSCRIPTEN_ENV})
set(CMAKE_CXX_LINKER_LAUNCHER env ${QUORVEL_EMSCRIPTEN_ENV})

set(CMAKE_C_FLAGS_INIT "-fexceptions")
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions")

find_program(QUORVEL_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVEL_NODE})
