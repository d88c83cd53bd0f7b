# The block line classifier, part of the engine library:
#   include(${CMAKE_CURRENT_SOURCE_DIR}/scan/sources.cmake)
# Each instruction set's kernel is compiled with its own flags; the rest of
# the build stays at baseline x86-64 and the choice is made at run time.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/block_scan.h
  ${CMAKE_CURRENT_LIST_DIR}/kernel_choice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kernel_scalar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kernels.h
  ${CMAKE_CURRENT_LIST_DIR}/line_classifier.cpp ${CMAKE_CURRENT_LIST_DIR}/line_classifier.h
  ${CMAKE_CURRENT_LIST_DIR}/line_reports.cpp ${CMAKE_CURRENT_LIST_DIR}/line_reports.h
  ${CMAKE_CURRENT_LIST_DIR}/scan_state.h
  ${CMAKE_CURRENT_LIST_DIR}/scan_types.h
)
target_include_directories(engine PRIVATE ${CMAKE_CURRENT_LIST_DIR})

if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|x64)$"
   AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_sources(engine PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/kernel_sse2.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kernel_avx2.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kernel_avx512.cpp
  )
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/kernel_choice.cpp
    PROPERTIES COMPILE_DEFINITIONS CORVEL_SCAN_X86)
  set(corvel_avx2_options -mavx2 -mpopcnt -mpclmul -mbmi)
  if(MINGW)
    # MinGW's GCC spills 32-byte registers with aligned moves to a stack it
    # cannot align to 32: have the assembler write unaligned moves instead.
    list(APPEND corvel_avx2_options -Wa,-muse-unaligned-vector-move)
  endif()
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/kernel_avx2.cpp
    PROPERTIES COMPILE_OPTIONS "${corvel_avx2_options}")
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/kernel_avx512.cpp
    PROPERTIES COMPILE_OPTIONS "${corvel_avx2_options};-mavx512f;-mavx512bw")
endif()
