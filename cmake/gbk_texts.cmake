# GBK bytes of fixed texts, made at build time with the build machine's
# iconv program, so that the programs need no conversion module for them.
#
#   include(${PROJECT_SOURCE_DIR}/cmake/gbk_texts.cmake)
#   corvel_gbk_texts(<target> <list> <header>)
#
# <list> holds one text a line: a name, a tab, the UTF-8 text; lines that
# begin with '#' are comments. <header> (made in the build folder and put on
# <target>'s include path) then defines, in namespace corvel::gbk, a
# std::string_view of GBK bytes for each name, kTexts: every text with its
# name and UTF-8 original, for tests, and the same texts as two TextSets of
# one member a name: kGbkSet and kUtf8Set.
#
# Run as a script (cmake -P) the same file makes the header.

function(corvel_gbk_texts target list header)
  find_program(CORVEL_ICONV iconv)
  if(NOT CORVEL_ICONV)
    message(FATAL_ERROR "The iconv program is needed to make the GBK texts")
  endif()
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/gbk_texts)
  file(RELATIVE_PATH listName ${PROJECT_SOURCE_DIR} ${list})
  add_custom_command(
    OUTPUT ${folder}/${header}
    COMMAND ${CMAKE_COMMAND} -DCORVEL_ICONV=${CORVEL_ICONV} -DCORVEL_GBK_LIST=${list}
            -DCORVEL_GBK_LIST_NAME=${listName} -DCORVEL_GBK_HEADER=${folder}/${header}
            -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    DEPENDS ${list} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    COMMENT "Making the GBK texts ${header}"
    VERBATIM)
  target_sources(${target} PRIVATE ${folder}/${header})
  target_include_directories(${target} PUBLIC ${folder})
endfunction()

# The bytes of a hex string ("b4f2...") as C++ escapes ("\xb4\xf2...").
function(corvel_gbk_escapes hex out)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
  set(${out} "${escaped}" PARENT_SCOPE)
endfunction()

# A hex string cut into lines at its LF bytes (0a) as a list; a byte is two
# digits, so "0a" is matched at byte boundaries only.
function(corvel_gbk_hex_lines hex out)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\1," bytes "${hex}")
  string(REPLACE "0a," ";" lines "${bytes}")
  string(REPLACE "," "" lines "${lines}")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED CORVEL_GBK_LIST)
  cmake_policy(VERSION 3.25)
  file(STRINGS ${CORVEL_GBK_LIST} entries ENCODING UTF-8)
  set(names "")
  set(comments "")
  set(texts "")
  foreach(entry IN LISTS entries)
    if(entry STREQUAL "" OR entry MATCHES "^#")
      continue()
    endif()
    if(NOT entry MATCHES "^([A-Za-z][A-Za-z0-9]*)\t([^\t]*)$")
      message(FATAL_ERROR "${CORVEL_GBK_LIST}: not a name, a tab and a text: ${entry}")
    endif()
    list(APPEND names ${CMAKE_MATCH_1})
    list(APPEND comments "${CMAKE_MATCH_2}")
    string(APPEND texts "${CMAKE_MATCH_2}\n")
  endforeach()

  # All texts through iconv at once, one a line; GBK bytes never hold an LF
  # (their second bytes are 0x40 or above), so the lines stay apart.
  set(utf8File ${CORVEL_GBK_HEADER}.utf8)
  set(gbkFile ${CORVEL_GBK_HEADER}.gbk)
  file(WRITE ${utf8File} "${texts}")
  execute_process(COMMAND ${CORVEL_ICONV} -f UTF-8 -t GBK ${utf8File}
                  OUTPUT_FILE ${gbkFile} RESULT_VARIABLE failed ERROR_VARIABLE why)
  if(failed)
    message(FATAL_ERROR "iconv could not write the texts in GBK: ${why}")
  endif()
  file(READ ${utf8File} utf8Hex HEX)
  file(READ ${gbkFile} gbkHex HEX)
  corvel_gbk_hex_lines("${utf8Hex}" utf8Lines)
  corvel_gbk_hex_lines("${gbkHex}" gbkLines)

  set(header "// GBK bytes of fixed texts, made at build time from\n")
  string(APPEND header "// ${CORVEL_GBK_LIST_NAME} by cmake/gbk_texts.cmake. Do not edit.\n")
  string(APPEND header "#pragma once\n\n#include <string_view>\n\nnamespace corvel::gbk {\n\n")
  set(table "")
  set(members "")
  set(gbkSet "")
  set(utf8Set "")
  set(index 0)
  foreach(name IN LISTS names)
    list(GET utf8Lines ${index} utf8)
    list(GET gbkLines ${index} gbk)
    list(GET comments ${index} comment)
    corvel_gbk_escapes("${utf8}" utf8)
    corvel_gbk_escapes("${gbk}" gbk)
    string(APPEND header "// ${comment}\ninline constexpr std::string_view ${name} = \"${gbk}\";\n")
    string(APPEND table "    {\"${name}\", \"${utf8}\", ${name}},\n")
    string(APPEND members "    std::string_view ${name};\n")
    string(APPEND gbkSet "    ${name},\n")
    string(APPEND utf8Set "    \"${utf8}\",\n")
    math(EXPR index "${index} + 1")
  endforeach()
  string(APPEND header "\nstruct Text {\n    std::string_view name;\n    std::string_view utf8;\n")
  string(APPEND header "    std::string_view gbk;\n};\n\ninline constexpr Text kTexts[] = {\n")
  string(APPEND header "${table}};\n\n")
  # Every text by name, in GBK and in UTF-8, for code that writes either.
  string(APPEND header "struct TextSet {\n${members}};\n\n")
  string(APPEND header "inline constexpr TextSet kGbkSet = {\n${gbkSet}};\n\n")
  string(APPEND header "inline constexpr TextSet kUtf8Set = {\n${utf8Set}};\n\n")
  string(APPEND header "}  // namespace corvel::gbk\n")
  file(WRITE ${CORVEL_GBK_HEADER} "${header}")
  file(REMOVE ${utf8File} ${gbkFile})
endif()
