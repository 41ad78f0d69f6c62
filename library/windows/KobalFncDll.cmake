# KobalFnc.dll: the export by name at ordinal 1 from a .def file, stdcall on 32-bit Windows, a
# version record, no runtime DLL of its own, and import libraries for MinGW and for MSVC.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(KOBAL_STDCALL_SUFFIX "@8")  # two pointer arguments
else()
  set(KOBAL_STDCALL_SUFFIX "")
endif()
set(def ${CMAKE_CURRENT_BINARY_DIR}/KobalFnc.def)
configure_file(${CMAKE_CURRENT_LIST_DIR}/KobalFnc.def.in ${def} @ONLY)

target_sources(KobalFnc PRIVATE ${def} ${CMAKE_CURRENT_LIST_DIR}/KobalFnc.rc)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/KobalFnc.rc PROPERTIES
    INCLUDE_DIRECTORIES $<TARGET_PROPERTY:KobalVersion,INTERFACE_INCLUDE_DIRECTORIES>)
# "KobalFnc.dll", not CMake's "libKobalFnc.dll".
set_target_properties(KobalFnc PROPERTIES PREFIX "" IMPORT_PREFIX "lib" IMPORT_SUFFIX ".dll.a")
target_link_options(KobalFnc PRIVATE ${KOBAL_WINDOWS_LINK_OPTIONS} -Wl,--kill-at)

# ld's own import library loses the decorated name with --kill-at; dlltool keeps it for the
# callers while importing the plain name. The same archive serves MSVC's linker as KobalFnc.lib.
set(mingw_import ${CMAKE_CURRENT_BINARY_DIR}/libKobalFnc.dll.a)
set(msvc_import ${CMAKE_CURRENT_BINARY_DIR}/KobalFnc.lib)
# dlltool names its symbols after the output's path, so it writes into the current folder.
add_custom_command(TARGET KobalFnc POST_BUILD
    COMMAND ${CMAKE_DLLTOOL} --kill-at --deterministic-libraries --input-def KobalFnc.def
            --dllname KobalFnc.dll --output-lib libKobalFnc.dll.a
    COMMAND ${CMAKE_COMMAND} -E copy ${mingw_import} ${msvc_import}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    VERBATIM)

install(TARGETS KobalFnc EXPORT KobalTargets
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(FILES ${msvc_import} ${def} DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
