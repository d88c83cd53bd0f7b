# The report, the top floor: rules beyond the check log's classes, their
# findings, and the analysis that streams a dictionary through them with
# the encoding scan in the same pass (analysis.cpp, the entry point of
# corvel/report/analysis.h). No Qt.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/analysis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analyser.cpp ${CMAKE_CURRENT_LIST_DIR}/analyser.h
  ${CMAKE_CURRENT_LIST_DIR}/baseline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/consistency_index.cpp ${CMAKE_CURRENT_LIST_DIR}/consistency_index.h
  ${CMAKE_CURRENT_LIST_DIR}/dictionary_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_analysis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/finding_queue.cpp ${CMAKE_CURRENT_LIST_DIR}/finding_queue.h
  ${CMAKE_CURRENT_LIST_DIR}/finding_tally.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gbk_chars.h
  ${CMAKE_CURRENT_LIST_DIR}/line_kinds.h
  ${CMAKE_CURRENT_LIST_DIR}/line_rules.cpp ${CMAKE_CURRENT_LIST_DIR}/line_rules.h
  ${CMAKE_CURRENT_LIST_DIR}/pair_checks.cpp ${CMAKE_CURRENT_LIST_DIR}/pair_checks.h
  ${CMAKE_CURRENT_LIST_DIR}/pair_shift_tracker.cpp ${CMAKE_CURRENT_LIST_DIR}/pair_shift_tracker.h
  ${CMAKE_CURRENT_LIST_DIR}/pair_text.cpp ${CMAKE_CURRENT_LIST_DIR}/pair_text.h
  ${CMAKE_CURRENT_LIST_DIR}/rule_catalogue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rule_selection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/table_memory.cpp ${CMAKE_CURRENT_LIST_DIR}/table_memory.h
  ${CMAKE_CURRENT_LIST_DIR}/text_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_marks.cpp ${CMAKE_CURRENT_LIST_DIR}/text_marks.h
  ${CMAKE_CURRENT_LIST_DIR}/text_kinds.cpp ${CMAKE_CURRENT_LIST_DIR}/text_kinds.h
  ${CMAKE_CURRENT_LIST_DIR}/text_signs.cpp ${CMAKE_CURRENT_LIST_DIR}/text_signs.h
  ${CMAKE_CURRENT_LIST_DIR}/text_hash.h
)
if(WIN32)
  target_sources(engine PRIVATE ${CMAKE_CURRENT_LIST_DIR}/table_memory_windows.cpp)
else()
  target_sources(engine PRIVATE ${CMAKE_CURRENT_LIST_DIR}/table_memory_posix.cpp)
endif()
# What several rules share: placeholders, numbers and whitespace.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/rules/support/number_rule.cpp ${CMAKE_CURRENT_LIST_DIR}/rules/support/number_rule.h
  ${CMAKE_CURRENT_LIST_DIR}/rules/support/placeholder_rules.cpp ${CMAKE_CURRENT_LIST_DIR}/rules/support/placeholder_rules.h
  ${CMAKE_CURRENT_LIST_DIR}/rules/support/placeholder_scanner.cpp ${CMAKE_CURRENT_LIST_DIR}/rules/support/placeholder_scanner.h
  ${CMAKE_CURRENT_LIST_DIR}/rules/support/whitespace_rule.cpp ${CMAKE_CURRENT_LIST_DIR}/rules/support/whitespace_rule.h
)
# A rule is its file in rules/ plus its line in CORVEL_RULES (rule_id.h).
file(GLOB CORVEL_REPORT_RULES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/rules/*.cpp)
target_sources(engine PRIVATE ${CORVEL_REPORT_RULES})
