# The bottom layer every other folder of the engine stands on: the
# platform (files, paths, clock), the processor's features, characters and
# their classes, GBK cells and display width. It includes nothing of the
# engine but its public headers.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/char_decoder.h
  ${CMAKE_CURRENT_LIST_DIR}/chars.h
  ${CMAKE_CURRENT_LIST_DIR}/display_width.cpp ${CMAKE_CURRENT_LIST_DIR}/display_width.h
  ${CMAKE_CURRENT_LIST_DIR}/charset_converter.h
  ${CMAKE_CURRENT_LIST_DIR}/gbk_cells.cpp ${CMAKE_CURRENT_LIST_DIR}/gbk_cells.h
  ${CMAKE_CURRENT_LIST_DIR}/gbk_table.cpp ${CMAKE_CURRENT_LIST_DIR}/gbk_table.h
  ${CMAKE_CURRENT_LIST_DIR}/platform.h
  ${CMAKE_CURRENT_LIST_DIR}/processor_features.cpp ${CMAKE_CURRENT_LIST_DIR}/processor_features.h
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
