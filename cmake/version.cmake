# The product's version in every form it is shown, all derived from
# project(VERSION) in the top CMakeLists.txt, the one place it is written:
#   CORVEL_VERSION          the package's version, printed by corvel-check --version
#   CORVEL_VERSION_SHORT    shown in the windows: a patch level of 0 left out
#   CORVEL_VERSION_FILE     the Windows version block's texts: the minor number
#                           in two digits, a patch level of 0 left out
#   CORVEL_VERSION_MAJOR, _MINOR, _PATCH   the numbers, missing ones 0
# and the target corvel_version, whose generated version.h carries them to C++.

# Sets <prefix>, <prefix>_SHORT, <prefix>_FILE, <prefix>_MAJOR, _MINOR and
# _PATCH in the caller's scope from a version "MAJOR[.MINOR[.PATCH]]".
function(corvel_version_forms version prefix)
  string(REPLACE "." ";" numbers "${version}.0.0")
  list(GET numbers 0 major)
  list(GET numbers 1 minor)
  list(GET numbers 2 patch)
  set(short "${major}.${minor}")
  if(minor LESS 10)
    set(file "${major}.0${minor}")
  else()
    set(file "${major}.${minor}")
  endif()
  if(NOT patch EQUAL 0)
    string(APPEND short ".${patch}")
    string(APPEND file ".${patch}")
  endif()
  set(${prefix} "${major}.${minor}.${patch}" PARENT_SCOPE)
  set(${prefix}_SHORT "${short}" PARENT_SCOPE)
  set(${prefix}_FILE "${file}" PARENT_SCOPE)
  set(${prefix}_MAJOR "${major}" PARENT_SCOPE)
  set(${prefix}_MINOR "${minor}" PARENT_SCOPE)
  set(${prefix}_PATCH "${patch}" PARENT_SCOPE)
endfunction()

if(NOT CMAKE_SCRIPT_MODE_FILE)
  corvel_version_forms("${PROJECT_VERSION}" CORVEL_VERSION)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
                 ${PROJECT_BINARY_DIR}/generated/version.h @ONLY)
  add_library(corvel_version INTERFACE)
  target_include_directories(corvel_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
endif()

# Adds the Windows version block to an executable target: app/corvel.rc.in
# with the version above, the program's internal and file names, and its
# description (UTF-16 escapes, "\x6821..." , since the resource compiler
# reads the script in the ANSI code page).
function(corvel_version_resource target internal original description)
  set(CORVEL_RC_INTERNAL "${internal}")
  set(CORVEL_RC_ORIGINAL "${original}")
  set(CORVEL_RC_DESCRIPTION "${description}")
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/app/corvel.rc.in ${out} @ONLY)
  target_sources(${target} PRIVATE ${out})
endfunction()
