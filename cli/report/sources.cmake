# The report of corvel-check: the session that streams each dictionary
# through the report's rules into its writers, and the text, JSON and SARIF
# writers.
target_sources(cli PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/json_text.cpp ${CMAKE_CURRENT_LIST_DIR}/json_text.h
  ${CMAKE_CURRENT_LIST_DIR}/json_writer.cpp ${CMAKE_CURRENT_LIST_DIR}/json_writer.h
  ${CMAKE_CURRENT_LIST_DIR}/report_session.cpp ${CMAKE_CURRENT_LIST_DIR}/report_session.h
  ${CMAKE_CURRENT_LIST_DIR}/report_writer.cpp ${CMAKE_CURRENT_LIST_DIR}/report_writer.h
  ${CMAKE_CURRENT_LIST_DIR}/rule_listing.cpp ${CMAKE_CURRENT_LIST_DIR}/rule_listing.h
  ${CMAKE_CURRENT_LIST_DIR}/sarif_writer.cpp ${CMAKE_CURRENT_LIST_DIR}/sarif_writer.h
  ${CMAKE_CURRENT_LIST_DIR}/text_writer.cpp ${CMAKE_CURRENT_LIST_DIR}/text_writer.h
)
# Included as "report/json_writer.h" from the cli folder, which is on the
# include path already; the engine's report headers are "report/..." from
# the engine's folder.
