# Build settings of every Windows program and DLL (MinGW-w64).
enable_language(RC)

# Nothing but Windows' own DLLs at run time: the C and C++ runtimes and winpthread are linked in.
# The PE header asks for address space layout randomisation (64-bit wide on x64) and a
# non-executable stack and heap; no link time is stamped in, so two builds are byte for byte equal.
set(KOBAL_WINDOWS_LINK_OPTIONS -static -static-libgcc -static-libstdc++ -Wl,--dynamicbase
    -Wl,--nxcompat -Wl,--no-insert-timestamp)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  list(APPEND KOBAL_WINDOWS_LINK_OPTIONS -Wl,--high-entropy-va)
endif()

# Programs and DLLs side by side, where Windows (and Wine) look for a program's DLLs.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
