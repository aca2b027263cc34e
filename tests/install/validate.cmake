# SPDX-License-Identifier: GPL-3.0-or-later
# Runs VALIDATOR (a command line) on FILE. Fails when the validator fails and,
# with SILENT_WHEN_VALID, also when it has anything at all to say (warnings).
if(NOT EXISTS "${FILE}")
  message(FATAL_ERROR "${FILE} was not installed")
endif()
separate_arguments(command UNIX_COMMAND "${VALIDATOR}")
execute_process(COMMAND ${command} "${FILE}"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${VALIDATOR} rejects ${FILE} (${status})")
endif()
if(SILENT_WHEN_VALID AND NOT output STREQUAL "")
  message(FATAL_ERROR "${VALIDATOR} warns about ${FILE}")
endif()
message("${VALIDATOR}: ${FILE} is valid")
