# Readers of the files projects keep their translations in: each streams a
# file into an EntrySink (entry.h). No Qt.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/android_reader.cpp ${CMAKE_CURRENT_LIST_DIR}/android_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/entry.h
  ${CMAKE_CURRENT_LIST_DIR}/read_limits.h
  ${CMAKE_CURRENT_LIST_DIR}/json_locale_reader.cpp ${CMAKE_CURRENT_LIST_DIR}/json_locale_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/json_stream.cpp ${CMAKE_CURRENT_LIST_DIR}/json_stream.h
  ${CMAKE_CURRENT_LIST_DIR}/xliff_reader.cpp ${CMAKE_CURRENT_LIST_DIR}/xliff_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/xml_stream.cpp ${CMAKE_CURRENT_LIST_DIR}/xml_stream.h
)
target_link_libraries(engine PRIVATE corvel_xml corvel_json)
