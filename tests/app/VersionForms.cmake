# KobalVersion.h from versions of every shape: the About box shows the patch only when it is not
# 0 and never the fourth part; the version records take all four.
# Usage: cmake -DWORK_DIR=folder -P VersionForms.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/KobalVersion.cmake)

set(failures "")
# version, then the #define lines KobalVersion.h must hold for it
set(cases
    "0.1.0.0|SHOWN \"0.1\"|COMMAS 0,1,0,0|DOTTED \"0.1.0.0\"|SPACED \"0, 1, 0, 0\""
    "1.2.3.4|SHOWN \"1.2.3\"|COMMAS 1,2,3,4|DOTTED \"1.2.3.4\"|SPACED \"1, 2, 3, 4\""
    "1.2.0.7|SHOWN \"1.2\""
    "10.20.300.0|SHOWN \"10.20.300\""
    "65535.65535.65535.65535|SHOWN \"65535.65535.65535\"")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" expected "${case}")
  list(POP_FRONT expected version)
  string(REPLACE "." ";" parts "${version}")
  set(header ${WORK_DIR}/${version}/KobalVersion.h)
  kobal_write_version_header(${header} ${parts})
  file(READ ${header} text)
  foreach(define IN LISTS expected)
    string(FIND "${text}" "\n#define KOBAL_VERSION_${define}\n" at)
    if(at EQUAL -1)
      list(APPEND failures "${version}: no #define KOBAL_VERSION_${define}")
    endif()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n" failures)
  message(FATAL_ERROR "${failures}")
endif()
