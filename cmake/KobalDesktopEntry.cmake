# Writes Kobal's desktop entry at install time, with the full paths under the install's prefix.
# Set by the install rule: KOBAL_DESKTOP_TEMPLATE, KOBAL_DESKTOP_FILE, KOBAL_BINDIR and
# KOBAL_PKGDATADIR (either may be relative to CMAKE_INSTALL_PREFIX).
foreach(dir BINDIR PKGDATADIR)
  if(IS_ABSOLUTE "${KOBAL_${dir}}")
    set(KOBAL_FULL_${dir} "${KOBAL_${dir}}")
  else()
    set(KOBAL_FULL_${dir} "${CMAKE_INSTALL_PREFIX}/${KOBAL_${dir}}")
  endif()
endforeach()
# Exec takes a quoted argument when the path holds a space (as the desktop entry format asks).
set(KOBAL_EXEC "${KOBAL_FULL_BINDIR}/Kobal")
if(KOBAL_EXEC MATCHES " ")
  set(KOBAL_EXEC "\"${KOBAL_EXEC}\"")
endif()
configure_file("${KOBAL_DESKTOP_TEMPLATE}" "${KOBAL_DESKTOP_FILE}" @ONLY)
