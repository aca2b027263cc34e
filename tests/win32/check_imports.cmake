# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.25)
# Fails unless the executable EXE imports Windows system DLLs only: nothing from the
# compiler's runtime (libstdc++, libgcc, winpthread) may have to lie beside it.
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
set(system_dlls advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt ole32 oleacc oleaut32 shell32
    user32 uxtheme version)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "DLL Name: ([^.]+)\\.dll.*" "\\1" dll "${line}")
  string(TOLOWER "${dll}" dll)
  list(APPEND imports ${dll})
  if(NOT dll IN_LIST system_dlls)
    message(FATAL_ERROR "${EXE} imports ${dll}.dll, which is not part of Windows")
  endif()
endforeach()
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${EXE}")
endif()
message(STATUS "imports: ${imports}")
