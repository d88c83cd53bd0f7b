# A gettext catalogue (.po) compiled into a program as a C++ table, made at
# build time with no gettext library:
#
#   include(${PROJECT_SOURCE_DIR}/cmake/po_catalogue.cmake)
#   corvel_po_catalogue(<target> <po file> <include file>)
#
# <include file> (made in the build folder, on <target>'s include path)
# holds one line '{"msgid", "msgstr"},' an entry. The header entry, entries
# marked fuzzy and entries without a translation are left out. The .po's
# quoted strings are C escapes already, so they are copied as they are.
#
# Run as a script (cmake -P) the same file makes the include file.

function(corvel_po_catalogue target po include)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/catalogue)
  add_custom_command(
    OUTPUT ${folder}/${include}
    COMMAND ${CMAKE_COMMAND} -DCORVEL_PO=${po} -DCORVEL_PO_INCLUDE=${folder}/${include}
            -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    DEPENDS ${po} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    COMMENT "Compiling the catalogue ${include}"
    VERBATIM)
  target_sources(${target} PRIVATE ${folder}/${include})
  target_include_directories(${target} PRIVATE ${folder})
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED CORVEL_PO)
  cmake_policy(VERSION 3.25)
  file(READ ${CORVEL_PO} content)
  # CMake lists split at ";" and group at "[" "]": keep those out of the way.
  string(REPLACE "@" "@AT@" content "${content}")
  string(REPLACE ";" "@SEMICOLON@" content "${content}")
  string(REPLACE "[" "@OPEN@" content "${content}")
  string(REPLACE "]" "@CLOSE@" content "${content}")
  string(REPLACE "\r" "" content "${content}")
  string(REPLACE "\n" ";" lines "${content};")
  set(out "// Made from ${CORVEL_PO}; do not edit.\n")
  set(id "")
  set(str "")
  set(part "")
  set(fuzzy FALSE)
  set(count 0)
  foreach(line IN LISTS lines)
    if(line MATCHES "^msgid \"(.*)\"$")
      set(id "${CMAKE_MATCH_1}")
      set(part id)
    elseif(line MATCHES "^msgstr \"(.*)\"$")
      set(str "${CMAKE_MATCH_1}")
      set(part str)
    elseif(line MATCHES "^\"(.*)\"$" AND part)
      string(APPEND ${part} "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^#,.*fuzzy")
      set(fuzzy TRUE)
    elseif(line STREQUAL "" OR line MATCHES "^#")
      if(part STREQUAL "str")
        if(NOT id STREQUAL "" AND NOT str STREQUAL "" AND NOT fuzzy)
          string(APPEND out "{\"${id}\", \"${str}\"},\n")
          math(EXPR count "${count} + 1")
        endif()
        set(id "")
        set(str "")
        set(part "")
        set(fuzzy FALSE)
      endif()
    elseif(line MATCHES "^msg")
      message(FATAL_ERROR "${CORVEL_PO}: cannot read: ${line}")
    endif()
  endforeach()
  string(REPLACE "@CLOSE@" "]" out "${out}")
  string(REPLACE "@OPEN@" "[" out "${out}")
  string(REPLACE "@SEMICOLON@" ";" out "${out}")
  string(REPLACE "@AT@" "@" out "${out}")
  if(count EQUAL 0)
    message(FATAL_ERROR "${CORVEL_PO}: no translated entry")
  endif()
  file(WRITE ${CORVEL_PO_INCLUDE}.new "${out}")
  file(COPY_FILE ${CORVEL_PO_INCLUDE}.new ${CORVEL_PO_INCLUDE} ONLY_IF_DIFFERENT)
  file(REMOVE ${CORVEL_PO_INCLUDE}.new)
endif()
