# How this build's programs run under Wine, decided once here.
#
# Debian's wine script always starts the 32-bit loader when wine32 is installed, also for a
# 64-bit program; a kernel without IA-32 emulation refuses it ("Exec format error"). On such a
# kernel the x64 build's programs run under the 64-bit loader, and the x86 build's cannot run:
# the tests that would run them are reported skipped, with the reason. Everything that reads the
# files without running them still runs.
#
# Without Debian's 32-bit Wine (wine32:i386, which tools/install-deps.sh cannot install while the
# mirror's i386 index is out of step with amd64's) the same holds as on such a kernel.
#
# KOBAL_RUNS_32BIT_PROGRAMS=yes|no in the environment overrides the probe, to try the other kind
# of machine on this one.
#
# Sets KOBAL_WINE (the command that runs a program of this build) and KOBAL_WINE_SKIP_REASON
# (empty where the build's programs run here).
set(runs_32bit "$ENV{KOBAL_RUNS_32BIT_PROGRAMS}")
if(NOT runs_32bit MATCHES "^(yes|no)$")
  execute_process(
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/runs_32bit_programs.py
            ${CMAKE_CURRENT_BINARY_DIR}
    OUTPUT_VARIABLE runs_32bit OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE probe_status)
  if(NOT probe_status EQUAL 0)
    message(FATAL_ERROR "Could not tell whether this kernel runs 32-bit programs")
  endif()
endif()

set(no_32bit_reason "this kernel runs no 32-bit programs")
if(runs_32bit STREQUAL "yes" AND NOT EXISTS /usr/lib/wine/wine)
  set(runs_32bit "no")
  set(no_32bit_reason "32-bit Wine (wine32:i386) is not installed")
endif()

set(KOBAL_WINE_SKIP_REASON "")
if(runs_32bit STREQUAL "yes")
  find_program(KOBAL_WINE wine REQUIRED)
elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
  # The 64-bit loader, and its wineserver, under the names the tests derive from "wine".
  # WINELOADER: the processes Wine starts itself (wineboot, msiexec's) use it too.
  find_program(KOBAL_WINE64_LOADER wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH REQUIRED)
  find_program(KOBAL_WINE64_SERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine
               NO_DEFAULT_PATH REQUIRED)
  set(wine64 ${CMAKE_CURRENT_BINARY_DIR}/wine64)
  file(CONFIGURE OUTPUT ${wine64}/wine CONTENT
       "#!/bin/sh\nexport WINELOADER=${KOBAL_WINE64_LOADER}\nexec ${KOBAL_WINE64_LOADER} \"$@\"\n")
  file(CONFIGURE OUTPUT ${wine64}/wineserver CONTENT
       "#!/bin/sh\nexec ${KOBAL_WINE64_SERVER} \"$@\"\n")
  file(CHMOD ${wine64}/wine ${wine64}/wineserver PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
       GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(KOBAL_WINE ${wine64}/wine)
else()
  set(KOBAL_WINE wine)
  set(KOBAL_WINE_SKIP_REASON "${no_32bit_reason}")
endif()
# For tools/test.sh, which says which checks were skipped and why.
set(KOBAL_WINE_SKIP_REASON "${KOBAL_WINE_SKIP_REASON}" CACHE INTERNAL "")

# kobal_add_wine_test(NAME name COMMAND ...): a test that runs Windows code under Wine, or, where
# this build's programs cannot run, one that ctest reports skipped with the reason.
function(kobal_add_wine_test)
  cmake_parse_arguments(PARSE_ARGV 0 test "" NAME COMMAND)
  if(KOBAL_WINE_SKIP_REASON)
    add_test(NAME ${test_NAME}
             COMMAND ${Python3_EXECUTABLE} -c
                     "print('skipped: ${KOBAL_WINE_SKIP_REASON}'); raise SystemExit(77)")
    set_tests_properties(${test_NAME} PROPERTIES SKIP_RETURN_CODE 77)
  else()
    add_test(NAME ${test_NAME} COMMAND ${test_COMMAND})
  endif()
endfunction()
