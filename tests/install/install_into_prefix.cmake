# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build tree BUILD_DIR into a fresh, empty PREFIX.
file(REMOVE_RECURSE "${PREFIX}")
unset(ENV{DESTDIR})
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "installing into ${PREFIX} failed (${status})")
endif()
