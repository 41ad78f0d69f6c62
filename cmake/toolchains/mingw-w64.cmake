# Cross-builds the Windows programs and KobalFnc.dll from Linux with Debian's MinGW-w64 (posix
# threads flavour). KOBAL_WINDOWS_ARCH picks the target: x86_64 (64-bit) or i686 (32-bit).
set(CMAKE_SYSTEM_NAME Windows)
if(NOT KOBAL_WINDOWS_ARCH)
  set(KOBAL_WINDOWS_ARCH x86_64)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${KOBAL_WINDOWS_ARCH})
set(triple ${KOBAL_WINDOWS_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_DLLTOOL ${triple}-dlltool)

# Headers and libraries of the target only; programs (Python, the generators) of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
