# The forms of the version that cmake/version.cmake derives, for versions
# with and without a patch level and with one- and two-digit minor numbers.
# Run with cmake -P.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/version.cmake)

# version | full | short (windows) | file (version block) | major minor patch
set(cases
  "0.2.0|0.2.0|0.2|0.02|0 2 0"
  "0.2|0.2.0|0.2|0.02|0 2 0"
  "1.12.3|1.12.3|1.12.3|1.12.3|1 12 3"
  "2.0.0|2.0.0|2.0|2.00|2 0 0"
  "3.4.10|3.4.10|3.4.10|3.04.10|3 4 10"
)
set(failures 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(POP_FRONT fields version)
  string(REPLACE ";" "|" want "${fields}")
  corvel_version_forms("${version}" V)
  set(got "${V}|${V_SHORT}|${V_FILE}|${V_MAJOR} ${V_MINOR} ${V_PATCH}")
  if(NOT got STREQUAL want)
    message(SEND_ERROR "version ${version}: got ${got}, want ${want}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} of the version forms wrong")
endif()
