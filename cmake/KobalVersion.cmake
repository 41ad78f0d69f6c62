# The product version in the forms it is shown in, written once into KobalVersion.h: plain
# #defines, which a resource compiler reads as well as C++ does.

# The About box's form: "major.minor", or "major.minor.patch" when the patch is not 0; the fourth
# part is never shown.
function(kobal_shown_version out major minor patch)
  set(shown "${major}.${minor}")
  if(NOT patch EQUAL 0)
    string(APPEND shown ".${patch}")
  endif()
  set(${out} "${shown}" PARENT_SCOPE)
endfunction()

# Writes `header` from the four parts of a version (project()'s, or a test's).
function(kobal_write_version_header header major minor patch tweak)
  kobal_shown_version(KOBAL_VERSION_SHOWN ${major} ${minor} ${patch})
  set(KOBAL_VERSION_COMMAS "${major},${minor},${patch},${tweak}")
  set(KOBAL_VERSION_DOTTED "${major}.${minor}.${patch}.${tweak}")
  set(KOBAL_VERSION_SPACED "${major}, ${minor}, ${patch}, ${tweak}")
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/KobalVersion.h.in ${header} @ONLY)
endfunction()
