# Fails unless PROGRAM imports from the system's own DLLs only: a program that
# needs the compiler's runtime DLLs (libstdc++, libgcc, libwinpthread) does
# not start on a machine without them.
#   cmake -DOBJDUMP=... -DPROGRAM=... -P SystemImports.cmake
cmake_minimum_required(VERSION 3.24)
set(system_dlls advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt ole32 shell32 user32 uxtheme
                version winmm)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
if(NOT imports)
  message(FATAL_ERROR "${PROGRAM} names no DLL at all: not a program?")
endif()
foreach(import IN LISTS imports)
  string(REGEX REPLACE "DLL Name: ([^.]+)\\.dll" "\\1" name "${import}")
  string(TOLOWER "${name}" name)
  if(NOT name IN_LIST system_dlls)
    message(FATAL_ERROR "${PROGRAM} needs ${import}, which is not the system's")
  endif()
  message(STATUS "${import}")
endforeach()
