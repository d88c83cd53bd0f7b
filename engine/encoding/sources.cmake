# Encodings, byte-order marks and line ends of dictionaries: detection and
# the scanner that notes them in a file's bytes as they stream by, into a
# NoteSink (the report makes the notes findings, with its rules' messages),
# below the run and the report that feed it. No Qt.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/block_feed.h
  ${CMAKE_CURRENT_LIST_DIR}/encoding_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encoding_scanner.cpp ${CMAKE_CURRENT_LIST_DIR}/encoding_scanner.h
  ${CMAKE_CURRENT_LIST_DIR}/file_kind.cpp ${CMAKE_CURRENT_LIST_DIR}/file_kind.h
  ${CMAKE_CURRENT_LIST_DIR}/gb2312_set.cpp ${CMAKE_CURRENT_LIST_DIR}/gb2312_set.h
  ${CMAKE_CURRENT_LIST_DIR}/line_findings.cpp ${CMAKE_CURRENT_LIST_DIR}/line_findings.h
  ${CMAKE_CURRENT_LIST_DIR}/mojibake_matcher.h
  ${CMAKE_CURRENT_LIST_DIR}/plain_block.h
  ${CMAKE_CURRENT_LIST_DIR}/reading_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/utf8_block.cpp ${CMAKE_CURRENT_LIST_DIR}/utf8_block.h
)
target_include_directories(engine PRIVATE ${CMAKE_CURRENT_LIST_DIR})
