# The readers of the translation files projects keep (gettext, Qt, XLIFF,
# Android, JSON, properties) and the one table of their formats; each
# streams a file into an EntrySink (entry.h). No Qt.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/android_reader.cpp ${CMAKE_CURRENT_LIST_DIR}/android_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/entry.h
  ${CMAKE_CURRENT_LIST_DIR}/format_table.cpp ${CMAKE_CURRENT_LIST_DIR}/format_table.h
  ${CMAKE_CURRENT_LIST_DIR}/json_locale_reader.cpp ${CMAKE_CURRENT_LIST_DIR}/json_locale_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/json_stream.cpp ${CMAKE_CURRENT_LIST_DIR}/json_stream.h
  ${CMAKE_CURRENT_LIST_DIR}/line_source.cpp ${CMAKE_CURRENT_LIST_DIR}/line_source.h
  ${CMAKE_CURRENT_LIST_DIR}/po_reader.cpp ${CMAKE_CURRENT_LIST_DIR}/po_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/properties_reader.cpp ${CMAKE_CURRENT_LIST_DIR}/properties_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/read_limits.h
  ${CMAKE_CURRENT_LIST_DIR}/text_form.h
  ${CMAKE_CURRENT_LIST_DIR}/ts_reader.cpp ${CMAKE_CURRENT_LIST_DIR}/ts_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/xliff_reader.cpp ${CMAKE_CURRENT_LIST_DIR}/xliff_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/xml_stream.cpp ${CMAKE_CURRENT_LIST_DIR}/xml_stream.h
)
target_include_directories(engine PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(engine PRIVATE corvel_xml corvel_json)
