# The check runs: the equals and pair runs over a dictionary's lines, their
# check logs and corrected dictionaries, and the files they read, write and
# replace. It stands on base, scan and encoding.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/block_lines.cpp ${CMAKE_CURRENT_LIST_DIR}/block_lines.h
  ${CMAKE_CURRENT_LIST_DIR}/check_run.cpp ${CMAKE_CURRENT_LIST_DIR}/check_run.h
  ${CMAKE_CURRENT_LIST_DIR}/check_runs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/equals_log.cpp ${CMAKE_CURRENT_LIST_DIR}/equals_log.h
  ${CMAKE_CURRENT_LIST_DIR}/equals_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_facts.cpp ${CMAKE_CURRENT_LIST_DIR}/line_facts.h
  ${CMAKE_CURRENT_LIST_DIR}/log_format.cpp ${CMAKE_CURRENT_LIST_DIR}/log_format.h
  ${CMAKE_CURRENT_LIST_DIR}/names.cpp ${CMAKE_CURRENT_LIST_DIR}/names.h
  ${CMAKE_CURRENT_LIST_DIR}/open_files.h
  ${CMAKE_CURRENT_LIST_DIR}/pair_log.cpp ${CMAKE_CURRENT_LIST_DIR}/pair_log.h
  ${CMAKE_CURRENT_LIST_DIR}/pair_rules.cpp ${CMAKE_CURRENT_LIST_DIR}/pair_rules.h
  ${CMAKE_CURRENT_LIST_DIR}/pair_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replacing_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rereader.cpp ${CMAKE_CURRENT_LIST_DIR}/rereader.h
  ${CMAKE_CURRENT_LIST_DIR}/run_context.cpp ${CMAKE_CURRENT_LIST_DIR}/run_context.h
  ${CMAKE_CURRENT_LIST_DIR}/text_files.cpp ${CMAKE_CURRENT_LIST_DIR}/text_files.h
  ${CMAKE_CURRENT_LIST_DIR}/unfinished_files.cpp
)
