# The bottom floor every other folder of the engine stands on: errors, the
# platform (files, paths, their identity, clock), what watches a file's
# bytes as they are read, the processor's features, characters and their
# classes, GBK cells and display width. It uses nothing of the engine but
# its public headers.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/char_decoder.h
  ${CMAKE_CURRENT_LIST_DIR}/chars.h
  ${CMAKE_CURRENT_LIST_DIR}/display_width.cpp ${CMAKE_CURRENT_LIST_DIR}/display_width.h
  ${CMAKE_CURRENT_LIST_DIR}/error.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_identity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/charset_converter.h
  ${CMAKE_CURRENT_LIST_DIR}/gbk_cells.cpp ${CMAKE_CURRENT_LIST_DIR}/gbk_cells.h
  ${CMAKE_CURRENT_LIST_DIR}/gbk_table.cpp ${CMAKE_CURRENT_LIST_DIR}/gbk_table.h
  ${CMAKE_CURRENT_LIST_DIR}/platform.h
  ${CMAKE_CURRENT_LIST_DIR}/processor_features.cpp ${CMAKE_CURRENT_LIST_DIR}/processor_features.h
  ${CMAKE_CURRENT_LIST_DIR}/read_observer.h
  ${CMAKE_CURRENT_LIST_DIR}/utf8.h
)
if(WIN32)
  target_sources(engine PRIVATE ${CMAKE_CURRENT_LIST_DIR}/platform_windows.cpp
                                ${CMAKE_CURRENT_LIST_DIR}/charset_converter_windows.cpp
                                ${CMAKE_CURRENT_LIST_DIR}/gbk_table_windows.cpp)
else()
  target_sources(engine PRIVATE ${CMAKE_CURRENT_LIST_DIR}/platform_posix.cpp
                                ${CMAKE_CURRENT_LIST_DIR}/charset_converter_posix.cpp
                                ${CMAKE_CURRENT_LIST_DIR}/gbk_table_posix.cpp)
endif()
