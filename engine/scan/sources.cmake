# The block line classifier, part of the engine library:
#   include(${CMAKE_CURRENT_SOURCE_DIR}/scan/sources.cmake)
# The kernels of every instruction set are built in one file (kernels.cpp):
# the wide ones hold their target attributes themselves (processor_
# features.h), so every file is built at baseline and the choice is made at
# run time.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/block_scan.h
  ${CMAKE_CURRENT_LIST_DIR}/byte_lanes.h
  ${CMAKE_CURRENT_LIST_DIR}/kernels.cpp ${CMAKE_CURRENT_LIST_DIR}/kernels.h
  ${CMAKE_CURRENT_LIST_DIR}/line_classifier.cpp ${CMAKE_CURRENT_LIST_DIR}/line_classifier.h
  ${CMAKE_CURRENT_LIST_DIR}/line_reports.cpp ${CMAKE_CURRENT_LIST_DIR}/line_reports.h
  ${CMAKE_CURRENT_LIST_DIR}/scan_state.h
  ${CMAKE_CURRENT_LIST_DIR}/scan_types.h
)
target_include_directories(engine PRIVATE ${CMAKE_CURRENT_LIST_DIR})
