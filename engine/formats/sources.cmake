# The readers of the translation files projects keep (gettext, Qt, XLIFF,
# Android, JSON, properties) and the one table of their formats. No Qt.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/entry.h
  ${CMAKE_CURRENT_LIST_DIR}/format_table.cpp ${CMAKE_CURRENT_LIST_DIR}/format_table.h
  ${CMAKE_CURRENT_LIST_DIR}/line_source.cpp ${CMAKE_CURRENT_LIST_DIR}/line_source.h
  ${CMAKE_CURRENT_LIST_DIR}/po_reader.cpp ${CMAKE_CURRENT_LIST_DIR}/po_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/properties_reader.cpp ${CMAKE_CURRENT_LIST_DIR}/properties_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/text_form.h
)
target_include_directories(engine PRIVATE ${CMAKE_CURRENT_LIST_DIR})
