# Decoding a result page and pulling its six fields out, as each search does twice.
add_executable(page_extraction_bench ${CMAKE_CURRENT_LIST_DIR}/page_extraction_bench.cpp
  ${PROJECT_SOURCE_DIR}/tests/search/result_pages.cpp)
target_include_directories(page_extraction_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/search)
target_link_libraries(page_extraction_bench PRIVATE tolvane_search tolvane_regex benchmark::benchmark)
