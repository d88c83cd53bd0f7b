# The engine's fixed GBK texts (gbk_texts.h), made at build time from texts.txt:
#   include(${CMAKE_CURRENT_SOURCE_DIR}/gbk_texts/sources.cmake)
include(${PROJECT_SOURCE_DIR}/cmake/gbk_texts.cmake)
corvel_gbk_texts(engine ${CMAKE_CURRENT_LIST_DIR}/texts.txt gbk_texts.h)
