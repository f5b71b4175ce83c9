# Fetching from the loopback server: bodies of several sizes and framings, and the target escaping.
if(TARGET tolvane_test_http_server)
  add_executable(http_fetch_bench ${CMAKE_CURRENT_LIST_DIR}/http_fetch_bench.cpp)
  target_link_libraries(http_fetch_bench PRIVATE
    tolvane_search tolvane_platform_http tolvane_test_http_server benchmark::benchmark)
endif()
